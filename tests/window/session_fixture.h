#pragma once
// A window connected to its simulated meter, for the sessions that write
// to the meter as an operator does.

#include "windows1251_reader.h"
#include "form_fixture.h"

#include "window/main/meter_channels.h"
#include "sim/virtual_channel.h"

#include <QAction>
#include <QProcess>
#include <QTableWidget>

// Long enough for a write batch and a whole poll cycle at the line rate.
constexpr int SessionTimeoutMs = 20000;

struct SessionFixture : FormFixture {
    std::unique_ptr<TFormMain> form;

    SessionFixture() { offerSimulator = true; }

    // The window as the operator opens it, the simulated meter chosen.
    TFormMain& Window()
    {
        if (!form) {
            form = Open();
            form->show();
        }
        return *form;
    }

    MeterState& Meter() { return Window().Channels().Simulator().Meter().State(); }

    // Connected, with everything the meter says shown at least once.
    void ConnectAndPoll()
    {
        Find<QAction>(Window(), "ActionConnect")->trigger();
        auto* main = Find<QTableWidget>(Window(), "ListMain");
        QTRY_VERIFY_WITH_TIMEOUT(!main->item(MeterReadings::NumberRow, 1)->text().isEmpty(), SessionTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAction>(Window(), "ActionSetting")->isEnabled(), SessionTimeoutMs);
    }

    QString LogPath() const { return startDir.filePath(QStringLiteral("Setting_Vm_742.log")); }

    // The operation log's lines as another program reads them.
    QStringList LogLines() const { return Windows1251Lines(LogPath()); }

};
