#pragma once
// What the main window takes from outside, so that tests can run it with
// their own settings store, start directory, ports and message boxes.

#include "link/port_selector.h"

#include <QCoreApplication>
#include <QDir>

class Dialogs;
class PrinterChoice;
class QSettings;
class SerialChannel;

struct FormMainEnvironment {
    // ConfigStore's values; null: the platform's store for this user.
    QSettings* settings = nullptr;
    // The directory the program was started in: the marker file and the
    // help file are looked for here.
    QDir startDir = QDir::current();
    // Where the program file lies, with the user guide beside it.
    QDir programDir = QDir(QCoreApplication::applicationDirPath());
    // Offers the in-process simulated meter as the first port.
    bool offerSimulator = false;
    // The remembered tariff colours; null: the machine-wide store.
    QSettings* tariffColors = nullptr;
    // Null: message boxes.
    Dialogs* dialogs = nullptr;
    // Null: the system's printers and print dialog.
    PrinterChoice* printer = nullptr;
    PortSources ports = PortSources::Platform();
    // The scanner's line; null: the real port (9600 baud, no parity).
    SerialChannel* scanner = nullptr;
    // The production line on this SQLite file, whatever the settings say:
    // the demo database, and the tests.
    QString productionDatabase;
};
