#pragma once
// A barcode scanner on an in-process line, for the station and its tests.
// Each scanned piece arrives as a receive event of its own, from the event
// loop, as a real port reports it; what the station writes is kept.

#include "link/serial_channel.h"

#include <QList>

class SimulatedScanner : public SerialChannel {
    Q_OBJECT
public:
    explicit SimulatedScanner(QObject* parent = nullptr);

    bool Active() const override { return open_; }
    bool WriteText(const QByteArray& bytes) override;
    QByteArray ReadText() override;

    // Sends the bytes down the line. Nobody listens while the line is
    // closed: they are lost, as on a real port.
    void Scan(const QByteArray& bytes);
    // Scanned pieces whose receive event is still to come.
    int Waiting() const { return int(waiting_.size()); }
    // Everything written since the line was made.
    const QByteArray& Written() const { return written_; }

    // Open, then ReadText, fail with this text; empty: they succeed.
    void SetOpenError(const QString& text) { openError_ = text; }
    void SetReadError(const QString& text) { readError_ = text; }

protected:
    void OpenPort() override;
    void ClosePort() override;
    void ApplyParity(Parity parity) override;

private:
    void DeliverNext();

    QList<QByteArray> waiting_;
    QByteArray readable_;
    QByteArray written_;
    QString openError_;
    QString readError_;
    bool open_ = false;
};
