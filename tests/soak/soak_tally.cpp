#include "soak_tally.h"

#include <QTextStream>

void SoakTally::FalseSuccess(const QString& detail)
{
    ++falseSuccesses;
    Tell("false success", detail);
}

void SoakTally::FalseRecord(const QString& detail)
{
    ++falseRecords;
    Tell("false record", detail);
}

void SoakTally::Hang(const QString& detail)
{
    ++hangs;
    Tell("hang", detail);
}

void SoakTally::LinkViolation(const QString& detail)
{
    ++linkViolations;
    Tell("link", detail);
}

void SoakTally::WrongAnswer(const QString& detail)
{
    ++wrongAnswers;
    Tell("wrong answer taken", detail);
}

void SoakTally::Note(const QString& text) const
{
    QTextStream(stderr) << "soak: " << text << Qt::endl;
}

void SoakTally::Tell(const char* kind, const QString& detail) const
{
    QTextStream(stderr) << "soak: " << kind << " [" << context_ << "]: " << detail << Qt::endl;
}

QString SoakTally::Summary() const
{
    return QStringLiteral("soak: %1 operations, %2 faults injected, %3 failures reported, %4 false successes, "
                          "%5 false records, %6 hangs, memory %7%8 KiB")
        .arg(operations)
        .arg(faults)
        .arg(failuresReported)
        .arg(falseSuccesses)
        .arg(falseRecords)
        .arg(hangs)
        .arg(memoryGrowthKiB < 0 ? "" : "+")
        .arg(memoryGrowthKiB);
}

bool SoakTally::Passed() const
{
    return falseSuccesses == 0 && falseRecords == 0 && hangs == 0 && linkViolations == 0
        && (!MemoryJudged || memoryGrowthKiB <= MemoryBoundKiB);
}
