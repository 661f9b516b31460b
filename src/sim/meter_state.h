#pragma once
// Everything a meter answers the poll with. Plain data: tests set fields
// directly; the defaults describe an ordinary type-742 meter in service.

#include "protocol/meter_calendar.h"
#include "protocol/password_mask.h"
#include "sim/meter_schedule.h"

#include <QByteArray>
#include <QDateTime>
#include <array>
#include <optional>

struct Route {
    quint8 repeaterAddress;
    quint32 repeaterNumber;
};

struct PeakPower {
    qint32 stamp; // meter seconds, see NaiveSeconds
    quint32 watts;
};

// One month of the yearly journal.
struct YearJournalMonth {
    quint8 captionPrefix; // BCD digits the station shows before the month's name
    std::array<double, 8> readings; // kWh per tariff; index 0 is tariff 1
    PeakPower peak; // the month's peak power
    quint32 operatingSeconds;
};

// One record of the consumption journal.
struct ConsumptionRecord {
    quint8 number;
    qint32 stamp; // meter seconds
    quint8 tariff; // 0: single-tariff
    double reading; // kWh
    quint8 status;
    quint32 operatingSeconds;
};

// Indexes the meter answers for; an empty one is a slot without a record.
using YearJournal = std::array<std::optional<YearJournalMonth>, 12>;
using ConsumptionJournal = std::array<std::optional<ConsumptionRecord>, 250>;

// Clock status bits besides the daylight-saving switch and the tariff.
namespace ClockFault {
constexpr quint8 Other = 0x10;
constexpr quint8 Timer = 0x20;
constexpr quint8 NotSet = 0x40;
} // namespace ClockFault

// Zones that switch tariffs where TariffAt splits day and night, on every
// day type and in every month, and the usual public holidays; no transfers.
MeterSchedule InServiceSchedule();

// The months of 2024, day and night tariffs used, a peak in each month.
YearJournal InServiceYearJournal();
// 220 records of 2024 in a ring that has come round: record 1 lies at
// index 60, record 191 at index 0, and indexes 30 to 59 are free.
ConsumptionJournal InServiceConsumptionJournal();

struct MeterState {
    // Model and modification as decimal digits: 74203 is model 742, mod. 03.
    quint32 typeCode = 74203;
    int versionMajor = 2;
    int versionMinor = 5;
    quint32 number = 104217; // 0: the meter has no number yet

    // Meter clock minus the workstation's, in naive local seconds.
    qint64 clockOffsetSeconds = 0;
    bool automaticDst = true;
    quint8 clockFaults = 0; // ClockFault bits
    // 1..8; without it the tariff follows a day/night split of the clock.
    std::optional<int> tariffOverride;

    quint32 operatingSeconds = 3u * 365 * SecondsPerDay + 17 * 3600;
    quint8 clockCorrections = 3;
    quint32 averagePowerWatts = 480;
    quint8 indicatorMask = 0x07;
    int integrationMinutes = 30;
    int settlementDay = 1;
    int settlementHour = 0;
    MeterSchedule schedule = InServiceSchedule();
    quint8 plcGroup = 1;
    quint8 plcAddress = 17;
    std::array<std::optional<Route>, 4> routes{Route{3, 200117}};

    // kWh per tariff; index 0 is tariff 1.
    std::array<double, 8> readings{1234.567, 567.891};
    std::array<double, 8> settlementReadings{1180.25, 541.5};
    PeakPower currentPeak{0, 2350};
    PeakPower settlementPeak{0, 3120};

    quint32 ddmNumber = 5123;
    quint8 ddmTariffMode = 0; // 0: automatic
    quint8 ddmBalanceState = 1; // 0..3
    quint32 ddmLastSession = 0; // meter seconds; 0: never reported

    YearJournal yearJournal = InServiceYearJournal();
    ConsumptionJournal consumptionJournal = InServiceConsumptionJournal();

    // The access password as the station sends it before masking; six
    // zero bytes for an empty one.
    QByteArray password = QByteArray(PasswordLength, '\0');

    int Model() const { return int(typeCode / 100); }
    bool HasDdm() const { return Model() != 341; }
    int TariffAt(qint64 meterSeconds) const;
    quint8 ClockStatus(qint64 meterSeconds) const;
};

// Seconds since 2000-01-01 00:00:00 read off the wall clock: calendar days
// times 86400 plus the seconds of the day. The meter keeps no time zone, so
// a daylight-saving jump of the workstation moves this by the hour the
// clock on the wall moves, not by the elapsed time.
qint64 NaiveSeconds(const QDateTime& localTime);
