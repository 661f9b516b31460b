#pragma once
// vm742-sim (SIM_BINARY) on a pseudo-terminal for the length of a test, so
// what one vm742-cli run leaves in the meter is there for the next run; and
// the rows of the short report the read command prints.

#include <QProcess>
#include <QStringList>

class SimulatedMeterProcess {
public:
    explicit SimulatedMeterProcess(const QStringList& arguments)
    {
        process_.start(SIM_BINARY, arguments);
        if (process_.waitForStarted() && process_.waitForReadyRead(5000))
            path_ = QString::fromUtf8(process_.readLine().trimmed());
    }
    ~SimulatedMeterProcess()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    QString Path() const { return path_; }

private:
    QProcess process_;
    QString path_;
};

// The value of the first "caption TAB value" line with this caption.
inline QString Shown(const QStringList& lines, const QString& caption)
{
    for (const QString& line : lines)
        if (line.section('\t', 0, 0) == caption)
            return line.section('\t', 1);
    return "(no line " + caption + ")";
}
