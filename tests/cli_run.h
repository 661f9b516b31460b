#pragma once
// Runs the built vm742-cli (CLI_BINARY) the way a shell user would, in the
// C locale with UTF-8, and keeps what it printed.

#include <QProcess>
#include <QStringList>

struct CliRun {
    int exitCode = -1;
    QStringList out;
    QString err;
};

inline QProcessEnvironment CliEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    return environment;
}

inline CliRun RunCli(const QStringList& arguments, const QString& workingDirectory = {})
{
    QProcess process;
    process.setProcessEnvironment(CliEnvironment());
    if (!workingDirectory.isEmpty())
        process.setWorkingDirectory(workingDirectory);
    process.start(CLI_BINARY, arguments);
    // A whole schedule read takes some twenty seconds at the line's pace.
    if (!process.waitForFinished(90000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    CliRun run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
