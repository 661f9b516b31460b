#pragma once
// Serves a VirtualMeter on a pseudo-terminal for a station running in
// another process. A pseudo-terminal carries no parity bit, so the ninth
// bit is judged from the slave's settings right after each read, and every
// well-framed request is answered whatever that judgement says.

#include "sim/pseudo_terminal.h"
#include "sim/pty_reader.h"
#include "sim/request_assembler.h"
#include "sim/virtual_meter.h"

#include <QObject>
#include <memory>

class PtyServer : public QObject {
    Q_OBJECT
public:
    // Starts serving at once; throws std::runtime_error when the
    // pseudo-terminal cannot be set up.
    explicit PtyServer(VirtualMeter& meter, QObject* parent = nullptr);

    QString SlavePath() const { return terminal_.SlavePath(); }
    // "summary requests=N unmarked=M unobserved=U"
    QString Summary() const;

signals:
    // One line per request and per reply, bytes in hex.
    void Traffic(const QString& line);

private:
    void Receive(const QByteArray& bytes, Parity parity);
    void Deliver(const Reply& reply);

    PseudoTerminal terminal_;
    VirtualMeter& meter_;
    RequestAssembler assembler_{Framing::Lenient};
    // Last, so its thread stops before anything it posts to goes away.
    std::unique_ptr<PtyReader> reader_;
};
