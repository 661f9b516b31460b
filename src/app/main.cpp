// vm742: the programming station.

#include "db/database.h"
#include "db/demo_database.h"
#include "workstation/workstation_identity.h"
#include "window/common/application_icon.h"
#include "window/main/form_main.h"
#include "window/main/qt_translation.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vm742"));
    QApplication::setWindowIcon(ApplicationIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(TFormMain::Title);
    parser.addHelpOption();
    parser.addOption({QStringLiteral("simulate"),
                      QStringLiteral("Offer the simulated meter as the first port, chosen at start.")});
    parser.addOption({QStringLiteral("demo-db"),
                      QStringLiteral("Work on the production line with a fresh demo database, made for this "
                                     "computer and login and dropped at the end.")});
    parser.addOption({QStringLiteral("connect"),
                      QStringLiteral("Connect to the chosen port as soon as the window is shown.")});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A tariff schedule (tsc) file to open in the schedule editor."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1) {
        std::fprintf(stderr, "vm742: one schedule file at most.\n");
        return 2;
    }
    // Only now: the command line's help stays in the language of its options.
    if (!InstallQtTranslation(app))
        std::fprintf(stderr, "vm742: Qt's Russian translation (qtbase_ru.qm) is not installed; "
                             "Qt's own dialogs speak English.\n");

    FormMainEnvironment environment;
    environment.offerSimulator = parser.isSet(QStringLiteral("simulate"));
    QTemporaryDir demoDir;
    if (parser.isSet(QStringLiteral("demo-db"))) {
        environment.productionDatabase = demoDir.filePath(QStringLiteral("electrometer.db"));
        try {
            WriteDemoDatabase(environment.productionDatabase, ComputerName(), LoginName());
        } catch (const DbError& error) {
            std::fprintf(stderr, "vm742: %s\n", qPrintable(error.Message()));
            return 1;
        }
    }
    TFormMain form(std::move(environment));
    form.show();
    // Once the window is up, so that a refused file's message box stands
    // over the station, as after "Загрузить из файла"; the meter is
    // connected when the operator has read it.
    const QString file = parser.positionalArguments().value(0);
    const bool connect = parser.isSet(QStringLiteral("connect"));
    QTimer::singleShot(0, &form, [&form, file, connect] {
        if (!file.isEmpty())
            form.OpenScheduleFile(file);
        if (connect)
            form.findChild<QAction*>(QStringLiteral("ActionConnect"))->trigger();
    });
    return app.exec();
}
