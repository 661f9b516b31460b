#pragma once
// The write side of the station on a scripted line: the link connected to
// a fake meter that reports its number and operating-time counter and
// acknowledges everything else, the readings attached, the operator's
// inputs and an operation log in a temporary folder.

#include "link/fake_channel.h"
#include "link/meter_link.h"
#include "meter/meter_readings.h"
#include "meter/operation_log.h"
#include "meter/write_inputs.h"
#include "recording_dialogs.h"

#include <QTemporaryDir>
#include <QTest>
#include <functional>

struct ScriptedMeter {
    quint32 number = 0;
    quint32 counter = 0;
    // Called as each request goes out, before its answer.
    std::function<void(quint8 code)> onRequest = [](quint8) {};

    FakeChannel channel;
    RecordingDialogs dialogs;
    MeterLink link{dialogs};
    MeterReadings readings;
    WriteInputs inputs;
    QTemporaryDir dir;
    OperationLog log{dir.filePath(OperationLog::FileName),
        [this] { return readings.Main(MeterReadings::NumberRow); }};

    ScriptedMeter()
    {
        link.SetChannel(&channel);
        link.SpinTimerChange(200);
        readings.Attach(link);
        channel.script = [this](const QByteArray& request) {
            const quint8 code = quint8(request[0]);
            onRequest(code);
            if (code == ReadNumber)
                return QList<QByteArray>{MakeFrame(code, LowByteFirst(number, 3))};
            if (code == ReadCounters)
                return QList<QByteArray>{MakeFrame(code, LowByteFirst(counter, 4) + '\0')};
            return QList<QByteArray>{FakeChannel::Answer(request)};
        };
    }

    // Connects and waits until the poll has read the number and counter.
    bool Connect()
    {
        return link.ActionConnectExecute("COM1")
            && QTest::qWaitFor([this] { return !readings.Addi(MeterReadings::OperatingTimeRow, 0).isEmpty(); }, 10000);
    }

    // Every request sent with this function code, in order.
    QList<QByteArray> Sent(quint8 code) const
    {
        QList<QByteArray> sent;
        for (const QByteArray& request : channel.requests)
            if (quint8(request[0]) == code)
                sent << request;
        return sent;
    }

private:
    static QByteArray LowByteFirst(quint32 value, int bytes)
    {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
        return out;
    }
};
