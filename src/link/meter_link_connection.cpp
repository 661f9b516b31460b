// The link's connection: opening the line and starting the poll on it,
// closing it at the operator's command or when the port is lost, and what
// a write batch on the way is told then.

#include "link/meter_link.h"

#include "link/poll_cycle.h"
#include "link/serial_channel.h"
#include "workstation/dialogs.h"

bool MeterLink::ActionConnectExecute(const QString& portText)
{
    SetStatusPanel(0, {});
    SetStatusPanel(1, {});
    try {
        channel_->SetPortName(portText);
        channel_->Open();
    } catch (const SerialChannelError& error) {
        dialogs_.ShowError(PortOpenFailureText(portText, error));
        return false;
    }
    // What is left over from the last connection (the poll request queued
    // while disconnecting, an answer still awaited) belongs to that
    // connection: sent now or timing out now, it would disturb this one.
    commandQueue_.clear();
    timer1_->Stop();
    timer2_->Stop();
    timerStart_->Start();
    SetState(LinkState::Connected);
    ResetMeterState();
    batches_.Take();
    return true;
}

void MeterLink::ActionDisconnectExecute()
{
    Disconnect(true);
}

bool MeterLink::Disconnect(bool messageForCutShortWrite)
{
    SetStatusPanel(0, {});
    SetStatusPanel(1, {});
    try {
        channel_->Close();
    } catch (const SerialChannelError&) {
        dialogs_.ShowError("Ошибка закрытия порта " + channel_->PortName());
        return false;
    }
    // The closed line has dropped the rest of a request on its way.
    leaving_.reset();
    receivedWhileLeaving_ = false;
    // A batch cut short by the disconnection did not complete: it must not
    // be reported (or recorded) as written when the queue is emptied below.
    const WriteBatches::Pending writes = batches_.Take();
    ClearQueue();
    EnableMeterCommands(false);
    SetMeterAnswering(false);
    SetState(LinkState::Disconnected);
    SetProgressShown(ProgressRead::Journal, false);
    if (writes.Any()) {
        protocol_.Append(QStringLiteral("Запись прервана: связь разорвана."));
        batches_.ReportFailure(writes, BatchOutcome::CutShort, messageForCutShortWrite);
    }
    return true;
}

// A port that has gone stays gone: waiting for answers on it only shows
// timeouts. The link lets it go as the disconnect command does, so the
// operator can connect again once the adapter is back, and says why once.
void MeterLink::PortLostHandler(const QString& reason)
{
    if (!Connected())
        return;
    const QString text = QStringLiteral("Порт %1 недоступен: %2").arg(channel_->PortName(), reason);
    protocol_.Append(text);
    if (!Disconnect(false))
        return;
    emit PortLost(text);
    dialogs_.ShowError(text + QStringLiteral(". Связь разорвана."));
}

void MeterLink::TimerStartTimer()
{
    timerStart_->Stop();
    sentCount_ = 0;
    protocol_.Clear();
    pollStep_ = 0;
    cycleStarts_ = 0;
    // A write queued in the moment since connecting goes with the rest of
    // the queue: emptied as it is, it would be reported as written.
    const WriteBatches::Pending writes = batches_.Take();
    if (writes.Any()) {
        protocol_.Append(QStringLiteral("Запись прервана: связь устанавливается."));
        DropReportedBatch(writes, BatchOutcome::CutShort);
    }
    ClearQueue();
    batchQueued_ = false;
    Enqueue({PollRequest(0)});
}
