#pragma once
// A main window on a settings store and start directory of its own, with
// made-up ports and message boxes answered at once.

#include "window/main/form_main.h"
#include "recording_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

struct FormFixture {
    QTemporaryDir startDir;
    QSettings settings{startDir.filePath(QStringLiteral("VM-742.ini")), QSettings::IniFormat};
    QSettings tariffColors{startDir.filePath(QStringLiteral("Schedule.ini")), QSettings::IniFormat};
    RecordingDialogs dialogs;
    QStringList ports{QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3")};
    bool offerSimulator = false;
    // Null: the system's printers.
    PrinterChoice* printer = nullptr;
    // Non-empty: the production line on this SQLite file.
    QString productionDatabase;
    // Null: the real scanner port.
    SerialChannel* scanner = nullptr;

    std::unique_ptr<TFormMain> Open()
    {
        FormMainEnvironment environment;
        environment.settings = &settings;
        environment.tariffColors = &tariffColors;
        environment.startDir = QDir(startDir.path());
        environment.offerSimulator = offerSimulator;
        environment.dialogs = &dialogs;
        environment.printer = printer;
        environment.productionDatabase = productionDatabase;
        environment.scanner = scanner;
        environment.ports = {[listed = ports] { return listed; }, {}};
        return std::make_unique<TFormMain>(std::move(environment));
    }

    void CreateFile(const QString& name)
    {
        QFile file(startDir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
};

template <typename Control>
Control* Find(QObject& root, const char* name)
{
    return root.findChild<Control*>(QLatin1String(name));
}

// Types the text key by key, as the operator does; unlike QTest::keyClicks
// it takes any character, not only Latin-1.
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

// Screenshots are artifacts of the build, never of the sources.
inline void SaveScreenshot(QWidget& widget, const QString& name)
{
    const QDir dir(QCoreApplication::applicationDirPath());
    dir.mkpath(QStringLiteral("screenshots"));
    QVERIFY(widget.grab().save(dir.filePath(QStringLiteral("screenshots/") + name + QStringLiteral(".png"))));
}
