#pragma once
// A scripted meter line for link tests: every complete request is offered
// to a script that answers with pieces of bytes (or nothing), delivered from
// the event loop as a real port would.

#include "protocol/frame.h"
#include "link/serial_channel.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>
#include <functional>

class FakeChannel : public SerialChannel {
public:
    struct Write {
        QByteArray bytes;
        Parity parity;
        // Since the channel was made.
        qint64 atNs;
    };
    // The pieces of the answer to a request; none for no answer.
    using Script = std::function<QList<QByteArray>(const QByteArray& request)>;

    FakeChannel() : SerialChannel(LineSettings::Meter())
    {
        script = [](const QByteArray& request) { return QList<QByteArray>{Answer(request)}; };
        clock_.start();
    }

    // A valid answer to any request, shaped as the meter's where the link
    // looks: an indexed read echoes its index and the schedule's checksum
    // has two bytes; any other answer has one data byte.
    static QByteArray Answer(const QByteArray& request)
    {
        const quint8 code = quint8(request[0]);
        if (request.size() > 4)
            return MakeFrame(code, request.mid(2, 1));
        return MakeFrame(code, QByteArray::fromHex(code == ReadSchedule ? "0100" : "01"));
    }

    bool Active() const override { return open; }

    bool WriteText(const QByteArray& bytes) override
    {
        if (failWrites)
            throw SerialChannelError("Write error (5), refused");
        writes.append({bytes, CurrentParity(), clock_.nsecsElapsed()});
        // The rest of a request goes out with space parity after its first byte.
        if (CurrentParity() == Parity::Space) {
            const QByteArray request = writes[writes.size() - 2].bytes + bytes;
            requests.append(request);
            // Pieces still on their way die with the channel, so they never
            // reach a later test's channel built where this one was.
            int delay = 1;
            for (const QByteArray& piece : script(request))
                QTimer::singleShot(delay++, this, [this, piece] { Deliver(piece); });
        }
        if (onWrite)
            onWrite(writes.last());
        return true;
    }

    QByteArray ReadText() override
    {
        const QByteArray bytes = input;
        input.clear();
        return bytes;
    }

    void Deliver(const QByteArray& bytes)
    {
        if (!open)
            return;
        input += bytes;
        emit RxChar(int(input.size()));
    }

    Script script;
    // Runs after each write has been taken.
    std::function<void(const Write&)> onWrite;
    QList<Write> writes;
    QList<QByteArray> requests;
    QByteArray input;
    bool open = false;
    bool failOpen = false;
    // Why the opening fails while failOpen is set, and the system's words.
    SerialChannelError::Cause openCause = SerialChannelError::Cause::NoSuchPort;
    QString openSystemText;
    bool failWrites = false;
    int parityApplied = 0;

protected:
    void OpenPort() override
    {
        if (failOpen)
            throw SerialChannelError("Can't open specified device " + PortName(), openCause, openSystemText);
        open = true;
    }
    void ClosePort() override { open = false; }
    void ApplyParity(Parity) override { ++parityApplied; }

private:
    QElapsedTimer clock_;
};
