#pragma once
// One serial line as the station uses it: the meter's line (4800 baud, the
// parity bit switched per write to mark the start of a request) or the
// scanner's (9600 baud, no parity). Implementations: a real port, and the
// in-process line to the simulated meter.

#include "protocol/line_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <stdexcept>

class SerialChannelError : public std::runtime_error {
public:
    // Why a port would not open, where the operator can do something about it.
    enum class Cause { Other, NoSuchPort, Busy, NoPermission };

    // systemText: the system's own words for the failure, when the text
    // carries them.
    explicit SerialChannelError(const QString& text, Cause cause = Cause::Other, const QString& systemText = {});
    QString Text() const;
    Cause OpenCause() const { return cause_; }
    QString SystemText() const { return systemText_; }

private:
    Cause cause_;
    QString systemText_;
};

// "Ошибка открытия порта NAME" and why, for the window and the command line
// alike; for a port the user may not use, how to be let in.
QString PortOpenFailureText(const QString& portText, const SerialChannelError& error);

class SerialChannel : public QObject {
    Q_OBJECT
public:
    // The meter tells where a request starts by the ninth bit of its first
    // byte; it needs this pause before the parity of the rest changes.
    static constexpr int FirstBytePauseMs = 10;

    explicit SerialChannel(const LineSettings& settings, QObject* parent = nullptr);
    ~SerialChannel() override;

    // Throws SerialChannelError: "Can't perform this operation while port
    // is open" when already open, otherwise the implementation's own text.
    void Open();
    // Nothing when not open. A request on its way stops where it is: the
    // rest of it is dropped, and no RequestSent follows.
    void Close();
    virtual bool Active() const = 0;

    // Throws while the port is open.
    void SetPortName(const QString& name);
    QString PortName() const { return portName_; }

    // Touches an open port only when the value really changes.
    void SetParity(Parity parity);
    Parity CurrentParity() const { return settings_.parity; }
    const LineSettings& Settings() const { return settings_; }

    // Writes every byte and returns once they have left the port (or after
    // at most a second); throws SerialChannelError when the port refuses.
    virtual bool WriteText(const QByteArray& bytes) = 0;
    // Everything waiting in the input queue, possibly nothing; throws on a
    // read failure.
    virtual QByteArray ReadText() = 0;

    // One request of the meter's protocol: its first byte with mark parity,
    // then, FirstBytePauseMs after that byte has left, the rest with space
    // parity. Returns at once: the pause waits on a timer, not on the
    // thread. RequestSent follows from the event loop, never from within
    // this call. A line with no parity to switch may send it otherwise.
    virtual void SendRequest(const QByteArray& request);

signals:
    // Received bytes are waiting; count is how many were waiting when the
    // event was raised (the handler reads them itself with ReadText).
    void RxChar(int count);
    // The port has gone (an adapter pulled, the line hung up): the channel
    // has closed it, dropping what waited to be sent. Raised once, from the
    // event loop.
    void Lost(const QString& reason);
    // The request of SendRequest has left whole (written), or the port
    // refused a part of it and the rest stayed unsent.
    void RequestSent(bool written);

protected:
    virtual void OpenPort() = 0;
    virtual void ClosePort() = 0;
    virtual void ApplyParity(Parity parity) = 0;

private:
    // False when the port refused.
    bool Put(Parity parity, const QByteArray& bytes);
    void SendRest();

    LineSettings settings_;
    QString portName_;
    // The rest of the request waiting out the pause after its first byte.
    QByteArray rest_;
    QTimer pause_;
    // Counts the requests begun and the closings, so that a failure told
    // from the event loop belongs to the request still on its way.
    quint64 sendings_ = 0;
};
