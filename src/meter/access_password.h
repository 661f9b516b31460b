#pragma once
// The meter's access password. Every write batch logs in with requests 1,
// 17 and 20; the passwords of requests 20 and 21 travel masked with the
// meter number and the operating-time counter just read.

#include "protocol/password_mask.h"

#include <QByteArray>
#include <QList>
#include <QString>

class MeterLink;
class MeterReadings;
class OperationLog;
class WriteInputs;

// The edit's hint: its six bytes as hex pairs, each followed by a blank.
QString PasswordHint(const QString& text);
// The frame sent for a queued request 20 or 21 (code, 8, placeholder, CRC).
QByteArray BuildPasswordFrame(const QByteArray& request, const QString& password, quint32 number,
    quint32 operatingTime);

// The three requests every write batch opens with: number, counters, login
// (with a placeholder the link completes at send time).
QList<QByteArray> LoginRequests();
// Request 21 as a batch queues it, with its placeholder.
QByteArray NewPasswordRequest();

// Completes requests 20 and 21 for the link from the current number,
// counter and password edits; handles the acknowledgement of request 21.
class AccessPassword {
public:
    AccessPassword(MeterLink& link, MeterReadings& readings, WriteInputs& inputs, OperationLog& log);
};
