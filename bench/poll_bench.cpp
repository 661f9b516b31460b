// Whole poll cycles against the simulated meter on its paced in-process
// line. Prints the measured cycle time beside the pure wire time of the
// same bytes and the time the protocol itself prescribes (wire time, the
// pause after each first byte and the send tick per request). A figure,
// never a verdict: nothing here fails on a time.

#include "station/dialogs.h"
#include "link/meter_link.h"
#include "link/poll_cycle.h"
#include "sim/virtual_channel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int Cycles = 5;
constexpr double BitsPerByte = 11;
constexpr double Baud = 4800;
constexpr double FirstBytePause = MeterLink::FirstBytePauseMs / 1000.0;
constexpr double SendTick = MeterLink::SendTickMs / 1000.0;

class SilentDialogs : public Dialogs {
public:
    void ShowMessage(MessageIcon, const QString&, const QString&) override { }
    QString AskSaveFile(const QString&, const QString&) override { return {}; }
    QString AskOpenFile(const QString&) override { return {}; }
};

double WireSeconds(qsizetype bytes)
{
    return double(bytes) * BitsPerByte / Baud;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    SilentDialogs dialogs;
    VirtualChannel channel;
    MeterLink link(dialogs);
    link.SetChannel(&channel);

    double wire = 0;
    int requests = 0;
    bool measuring = false;
    int cycleStarts = 0;
    QElapsedTimer clock;
    QObject::connect(&link, &MeterLink::ResponseAccepted, [&](const QByteArray& request) {
        if (!measuring)
            return;
        ++requests;
        wire += WireSeconds(request.size()) + WireSeconds(channel.Meter().Respond(request).size());
    });
    QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
        if (step != 0)
            return;
        if (++cycleStarts == 2) {
            measuring = true;
            clock.start();
        } else if (cycleStarts == Cycles + 2) {
            QCoreApplication::exit(0);
        }
    });
    // The cycle time is measured from the start of the second cycle, past
    // the connection's extra version request.
    link.ActionConnectExecute("simulated meter");
    QCoreApplication::exec();
    const double measured = clock.elapsed() / 1000.0 / Cycles;
    link.ActionDisconnectExecute();

    const double perCycleWire = wire / Cycles;
    const double prescribed = perCycleWire + double(requests) / Cycles * (FirstBytePause + SendTick);
    std::printf("poll cycle against the simulated meter at 4800 baud, %d cycles of %d requests\n", Cycles,
        requests / Cycles);
    std::printf("cycle time        %8.3f s\n", measured);
    std::printf("wire time         %8.3f s   cycle / wire       = %.2f\n", perCycleWire, measured / perCycleWire);
    std::printf("prescribed time   %8.3f s   cycle / prescribed = %.2f\n", prescribed, measured / prescribed);
    return 0;
}
