#pragma once
// The station's real serial port. The meter protocol uses the parity bit as
// a ninth data bit, switched between the first byte of a request and the
// rest, so a write returns only once its bytes have left the port: a parity
// change must never catch bytes still waiting in a buffer.

#include "link/serial_channel.h"

#include <QSerialPort>

class QtSerialChannel : public SerialChannel {
    Q_OBJECT
public:
    explicit QtSerialChannel(const LineSettings& settings, QObject* parent = nullptr);
    ~QtSerialChannel() override;

    bool Active() const override;
    bool WriteText(const QByteArray& bytes) override;
    QByteArray ReadText() override;

protected:
    void OpenPort() override;
    void ClosePort() override;
    void ApplyParity(Parity parity) override;

private:
    bool ApplyLine();
    void SetModemLines();
    void AnnounceReceived();
    void CheckLine(QSerialPort::SerialPortError error);

    QSerialPort* const port_;
    // The line has gone since the last opening, and has been reported.
    bool lost_ = false;
};
