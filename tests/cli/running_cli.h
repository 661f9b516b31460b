#pragma once
// vm742-cli (CLI_BINARY) left running while the test's own event loop goes
// on, so that a meter served in the test process answers it and a terminal
// the test holds is read as the tool writes to it. Same environment as
// RunCli: the C locale with UTF-8.

#include "cli_run.h"

#include <QProcess>
#include <QTest>

class RunningCli {
public:
    // stderrPath: where the tool's stderr goes (a terminal's slave, say);
    // empty keeps it for Err().
    RunningCli(const QStringList& arguments, const QString& stderrPath = {})
    {
        process_.setProcessEnvironment(CliEnvironment());
        if (!stderrPath.isEmpty())
            process_.setStandardErrorFile(stderrPath);
        process_.start(CLI_BINARY, arguments);
    }
    ~RunningCli()
    {
        process_.kill();
        process_.waitForFinished();
    }

    // Serves the test's event loop until the tool has ended; its exit code,
    // -1 when it did not end in time or crashed.
    int Finish(int timeoutMs)
    {
        if (!QTest::qWaitFor([this] { return process_.state() == QProcess::NotRunning; }, timeoutMs)
            || process_.exitStatus() != QProcess::NormalExit)
            return -1;
        return process_.exitCode();
    }
    qint64 Pid() const { return process_.processId(); }
    QStringList Out() { return QString::fromUtf8(process_.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts); }
    QString Err() { return QString::fromUtf8(process_.readAllStandardError()); }

private:
    QProcess process_;
};
