#pragma once
// vm742-sim's command line.

#include <QByteArray>
#include <QString>
#include <optional>

struct SimOptions {
    QString link; // empty: no symlink
    bool type341 = false;
    bool verbose = false;
    // A scanner on a second pseudo-terminal, fed from standard input.
    bool scanner = false;
    std::optional<quint32> number;
    QByteArray password; // the six bytes the meter expects
};

// Exits with status 1 and a message on stderr for a bad command line, as
// QCommandLineParser itself does for an unknown option.
SimOptions ParseSimOptions(const QStringList& arguments);
