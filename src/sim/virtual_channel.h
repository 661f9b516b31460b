#pragma once
// The in-process line to a VirtualMeter, paced like the real one at the
// line rate, so the station's timing logic meets realistic delays.

#include "link/serial_channel.h"
#include "sim/request_assembler.h"
#include "sim/virtual_meter.h"

#include <QList>
#include <QTimer>
#include <chrono>

class VirtualChannel : public SerialChannel {
    Q_OBJECT
public:
    explicit VirtualChannel(QObject* parent = nullptr);

    bool Active() const override { return open_; }
    // Blocks for the bytes' wire time, then hands them to the meter with the
    // ninth bit the current parity gives them. Answers become readable later,
    // from the event loop, each piece with its own RxChar.
    bool WriteText(const QByteArray& bytes) override;
    QByteArray ReadText() override;

    VirtualMeter& Meter() { return meter_; }
    const RequestAssembler& Assembler() const { return assembler_; }
    // Nothing is on its way to the station: no answer, however late, and
    // no noise.
    bool Quiet() const { return pending_.isEmpty(); }

    // The meter's pause between the end of a request and its answer.
    void SetTurnaroundMs(int ms) { turnaroundMs_ = ms; }
    // Open then fails as for a port that is not there.
    void SetOpenFails(bool fails) { openFails_ = fails; }

protected:
    void OpenPort() override;
    void ClosePort() override;
    void ApplyParity(Parity parity) override;

private:
    using Clock = std::chrono::steady_clock;
    struct Piece {
        Clock::time_point readableAt;
        QByteArray bytes;
    };

    void Schedule(const Reply& reply, const QByteArray& noiseAfter);
    void ArmTimer();
    void DeliverNextPiece();

    VirtualMeter meter_;
    RequestAssembler assembler_{Framing::Strict};
    QList<Piece> pending_;
    QByteArray readable_;
    QTimer deliveryTimer_;
    bool open_ = false;
    bool openFails_ = false;
    int turnaroundMs_ = 3;
};
