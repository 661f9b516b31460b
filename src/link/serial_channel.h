#pragma once
// One serial line as the station uses it: the meter's line (4800 baud, the
// parity bit switched per write to mark the start of a request) or the
// scanner's (9600 baud, no parity). Implementations: a real port, and the
// in-process line to the simulated meter.

#include "protocol/line_settings.h"

#include <QByteArray>
#include <QObject>
#include <QString>
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
    explicit SerialChannel(const LineSettings& settings, QObject* parent = nullptr);
    ~SerialChannel() override;

    // Throws SerialChannelError: "Can't perform this operation while port
    // is open" when already open, otherwise the implementation's own text.
    void Open();
    // Nothing when not open.
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

signals:
    // Received bytes are waiting; count is how many were waiting when the
    // event was raised (the handler reads them itself with ReadText).
    void RxChar(int count);
    // The port has gone (an adapter pulled, the line hung up): the channel
    // has closed it, dropping what waited to be sent. Raised once, from the
    // event loop.
    void Lost(const QString& reason);

protected:
    virtual void OpenPort() = 0;
    virtual void ClosePort() = 0;
    virtual void ApplyParity(Parity parity) = 0;

private:
    LineSettings settings_;
    QString portName_;
};
