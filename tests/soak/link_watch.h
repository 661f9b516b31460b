#pragma once
// Watches one station's link against what its meter really served: each
// answer the station takes is marked clean only when it is the meter's own
// clean answer to that very request; taking a refusal or bytes the meter
// never sent clean is a false success, taking the clean answer to another
// request is told; every spoiled answer must be reported as a failure
// before the next request goes out;
// the operation log may only grow with an answer taken clean; and the link
// is declared lost exactly from the sixth timeout in a row on.

#include "meter_ledger.h"
#include "soak_tally.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class MeterLink;

class LinkWatch : public QObject {
    Q_OBJECT
public:
    struct Accepted {
        QByteArray request;
        bool clean;
    };

    // logWritten: false where the station must not write the operation log
    // at all (the production line).
    LinkWatch(MeterLink& link, MeterLedger& ledger, const QString& logPath, bool logWritten, SoakTally& tally);

    // A new operation: the answers taken are gathered from here on.
    void BeginOperation() { accepted_.clear(); }
    const QList<Accepted>& AcceptedSinceBegin() const { return accepted_; }

    // The soak closed the line itself: a spoiled answer that was on its
    // way need no longer be reported.
    void LineClosed() { awaitingReport_.clear(); }
    // Polling must resume with the first clean answer from now on: the
    // next answer taken has to be that one.
    void ExpectResumption();
    bool Resumed() const { return resumption_ == Resumption::Done; }
    int LinkLosses() const { return linkLosses_; }
    // Between operations, nothing may have been logged since the last
    // answer taken.
    void CheckLogAtRest();

private:
    void ResponseAccepted(const QByteArray& request);
    void Served(const ServedRequest& request);
    void FailureReported();
    void LinkLost();
    qint64 LogSize() const;

    MeterLink& link_;
    MeterLedger& ledger_;
    const QString logPath_;
    const bool logWritten_;
    SoakTally& tally_;
    QList<Accepted> accepted_;
    qint64 logSize_ = 0;
    // The request whose spoiled answer the station has yet to report.
    QByteArray awaitingReport_;
    // The timeout streak at the latest declaration of a lost link.
    int declaredAt_ = 0;
    int linkLosses_ = 0;
    enum class Resumption { Done, AwaitingServe, AwaitingAnswer };
    Resumption resumption_ = Resumption::Done;
    QByteArray firstClean_;
};
