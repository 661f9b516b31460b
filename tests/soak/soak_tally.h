#pragma once
// What a soak run counts, and the one line that sums it up. Every
// violation is also told on stderr at once, with where the run stood, so a
// failing run says what to repeat.

#include <QString>

class SoakTally {
public:
    // Growth of the resident memory past this over the measured part of
    // the run counts as unbounded. A healthy run grows by well under
    // 1 MiB; what may still fill up meanwhile is bounded far below this:
    // the protocol (5000 lines) and SQLite's page caches (2 MiB a
    // connection). A leak of a few KiB a request passes it in a long run.
    static constexpr qint64 MemoryBoundKiB = 8 * 1024;
    // AddressSanitizer holds freed memory back in quarantine by design, so
    // there the growth is told but not judged; its leak check judges.
    static constexpr bool MemoryJudged =
#if defined(__SANITIZE_ADDRESS__)
        false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
        false;
#else
        true;
#endif
#else
        true;
#endif

    int operations = 0;
    int faults = 0;
    // The station's own failure reports: its protocol's failure lines.
    int failuresReported = 0;
    int falseSuccesses = 0;
    int falseRecords = 0;
    int hangs = 0;
    // The link declared lost before the sixth timeout in a row or not after
    // it, or polling that did not resume with the first answer; not in the
    // summary line, told on stderr, and the run fails.
    int linkViolations = 0;
    // The meter's clean answers to one request taken for another of the
    // same function (a late answer, say). Told on stderr; they fail the
    // run only through an operation that ended as a success with one, a
    // false success.
    int wrongAnswers = 0;
    qint64 memoryGrowthKiB = 0;

    // Where the run stands (rig, operation, time), for the stderr lines.
    void SetContext(const QString& context) { context_ = context; }

    void FalseSuccess(const QString& detail);
    void FalseRecord(const QString& detail);
    void Hang(const QString& detail);
    void LinkViolation(const QString& detail);
    void WrongAnswer(const QString& detail);
    // A remark on stderr that is no violation.
    void Note(const QString& text) const;

    QString Summary() const;
    bool Passed() const;

private:
    void Tell(const char* kind, const QString& detail) const;

    QString context_;
};
