// vm742: the programming station.

#include "window/main/application_icon.h"
#include "window/main/form_main.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

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
    parser.addOption({QStringLiteral("connect"),
                      QStringLiteral("Connect to the chosen port as soon as the window is shown.")});
    parser.process(app);

    FormMainEnvironment environment;
    environment.offerSimulator = parser.isSet(QStringLiteral("simulate"));
    TFormMain form(std::move(environment));
    form.show();
    if (parser.isSet(QStringLiteral("connect"))) {
        QAction* connect = form.findChild<QAction*>(QStringLiteral("ActionConnect"));
        QTimer::singleShot(0, connect, &QAction::trigger);
    }
    return app.exec();
}
