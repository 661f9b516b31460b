#include "meter/reading_decoders.h"

#include "protocol/frame.h"
#include "link/poll_cycle.h"
#include "meter/meter_readings.h"
#include "meter/meter_time_stamp.h"
#include "meter/response_fields.h"
#include "meter/value_formats.h"

namespace {

constexpr quint8 AutomaticDstBit = 0x80;
constexpr quint8 ClockNotSetBit = 0x40;
constexpr quint8 TimerFaultBit = 0x20;
constexpr quint8 ClockProblemBits = 0x70;
constexpr quint8 ClockFlagBits = ClockNotSetBit | TimerFaultBit;
constexpr quint8 TariffBits = 0x07;
constexpr quint8 DdmNeverReported = 128;

// The types the station knows end their model number in 41 or 42.
bool IsKnownType(int typeCode)
{
    const int modelDigits = typeCode / 100 % 100;
    return modelDigits == 41 || modelDigits == 42;
}

QString TypeText(int typeCode)
{
    return QStringLiteral("Velmar%1.%2").arg(typeCode / 100).arg(typeCode % 100, 2, 10, QLatin1Char('0'));
}

// A meter without a number yet shows a plain 0.
QString MeterNumberText(quint32 number)
{
    return number > 0 ? QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0')) : QStringLiteral("0");
}

// A timer fault outweighs an unset clock; bit 4 alone says nothing.
QString ClockFaultText(quint8 status)
{
    if (status & TimerFaultBit)
        return QStringLiteral("Неисправность таймера.");
    if (status & ClockNotSetBit)
        return QStringLiteral("Дата и время таймера не установлены.");
    return {};
}

QString DdmBalanceText(int state)
{
    static const QStringList texts{QStringLiteral("в норме"), QStringLiteral("ДДМ > ББ"), QStringLiteral("ДДМ < ББ")};
    return state < texts.size() ? texts[state] : QString();
}

} // namespace

const QHash<quint8, ReadingDecoders::Decoder>& ReadingDecoders::Table()
{
    static const QHash<quint8, Decoder> table{
        {ReadVersion, Version},
        {ReadNumber, Number},
        {ReadClock, Clock},
        {ReadAveragePower, AveragePower},
        {ReadIndicator, IndicatorMode},
        {ReadReadings, Reading},
        {ReadCounters, Counters},
        {ReadIntegrationTime, IntegrationTime},
        {ReadSettlement, Settlement},
        {ReadDdmStatus, DdmStatus},
        {ReadPeakPowers, PeakPowers},
        {ReadDdmNumber, DdmNumber},
    };
    return table;
}

QList<quint8> ReadingDecoders::Codes()
{
    return Table().keys();
}

void ReadingDecoders::Decode(MeterReadings& readings, const QByteArray& response)
{
    if (response.isEmpty())
        return;
    if (const Decoder decoder = Table().value(quint8(response[0])))
        decoder(readings, ResponseFields(response));
}

void ReadingDecoders::Version(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(6))
        return;
    const int typeCode = response.Bcd(4) + 100 * response.Bcd(5) + 10000 * response.Bcd(6);
    readings.typeCode_ = typeCode;
    if (IsModel341(typeCode))
        readings.SetDdmUnavailable();
    if (!IsKnownType(typeCode)) {
        readings.versionWord_ = 0;
        readings.SetMain(MeterReadings::VersionRow, QStringLiteral("неизвест."));
        readings.SetMain(MeterReadings::TypeRow, QString::number(typeCode));
        return;
    }
    readings.versionWord_ = quint16(response.Byte(2) | response.Byte(3) << 8);
    readings.SetMain(MeterReadings::VersionRow,
        QString::number(response.Bcd(3)) + '.' + QString::number(response.Bcd(2)));
    readings.SetMain(MeterReadings::TypeRow, TypeText(typeCode));
}

void ReadingDecoders::Number(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(4))
        return;
    readings.meterNumber_ = response.U24(2);
    readings.SetNumberEditable(readings.meterNumber_ == 0);
    readings.SetMain(MeterReadings::NumberRow, MeterNumberText(readings.meterNumber_));
}

void ReadingDecoders::Clock(MeterReadings& readings, const ResponseFields& response)
{
    const QDateTime clock = ShowClock(readings, response);
    emit readings.ClockRead(clock);
}

QDateTime ReadingDecoders::ShowClock(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(2))
        return {};
    const quint8 status = response.Byte(2);
    readings.clockFlags_ = status & ClockFlagBits;
    readings.SetMain(MeterReadings::DstRow, status & AutomaticDstBit ? QStringLiteral("да") : QStringLiteral("нет"));
    readings.SetAddi(MeterReadings::TariffRow, MeterReadings::Current, QString::number((status & TariffBits) + 1));
    if (status & ClockProblemBits) {
        readings.SetMain(MeterReadings::ClockRow, {});
        readings.SetMain(MeterReadings::ClockTestRow, ClockFaultText(status));
        return {};
    }
    readings.SetMain(MeterReadings::ClockTestRow, QStringLiteral("Ok"));
    if (!response.HasLength(7)) {
        readings.SetMain(MeterReadings::ClockRow, {});
        return {};
    }
    readings.SetMain(MeterReadings::ClockRow, MeterDateTimeText(response.U32(3)));
    const auto [date, time] = MeterCalendar(response.U32(3));
    return QDateTime(date, time);
}

void ReadingDecoders::AveragePower(MeterReadings& readings, const ResponseFields& response)
{
    if (response.Holds(4))
        readings.SetAddi(MeterReadings::PowerRow, MeterReadings::Current, QString::number(response.U24(2)));
}

void ReadingDecoders::IndicatorMode(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(2))
        return;
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        readings.SetIndicator(item, response.Byte(2) >> item & 1);
}

// The index byte names the tariff in bits 0..2 and the column above them;
// the poll's last index names a column the list does not have.
void ReadingDecoders::Reading(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.HasLength(8))
        return;
    const quint8 index = response.Byte(2);
    const int column = index >> 3;
    if (column > MeterReadings::Settlement)
        return;
    readings.SetAddi(MeterReadings::FirstTariffRow + (index & TariffBits), column,
        RealText(DecodeMeterReal(response.U32(4))));
}

void ReadingDecoders::Counters(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(6))
        return;
    readings.operatingTime_ = response.U32(2);
    readings.SetAddi(MeterReadings::OperatingTimeRow, MeterReadings::Current,
        FormatOperatingTime(readings.operatingTime_));
    readings.SetAddi(MeterReadings::CorrectionsRow, MeterReadings::Current, QString::number(response.Byte(6)));
}

// The meter counts the minutes from 0.
void ReadingDecoders::IntegrationTime(MeterReadings& readings, const ResponseFields& response)
{
    if (response.Holds(2))
        readings.SetMain(MeterReadings::IntegrationTimeRow, QString::number(response.Byte(2) + 1));
}

void ReadingDecoders::Settlement(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(3))
        return;
    readings.SetMain(MeterReadings::SettlementDayRow, QString::number(response.Bcd(3)));
    readings.SetMain(MeterReadings::SettlementHourRow, QString::number(response.Bcd(2)));
}

void ReadingDecoders::DdmStatus(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(6))
        return;
    const quint32 lastSession = response.U32(3);
    if (lastSession == 0) {
        readings.ddmState_ = DdmNeverReported;
        readings.SetMain(MeterReadings::DdmBalanceRow, {});
        readings.SetMain(MeterReadings::DdmSessionRow, {});
        return;
    }
    readings.ddmState_ = response.Byte(2) & 3;
    readings.SetMain(MeterReadings::DdmBalanceRow, DdmBalanceText(readings.ddmState_));
    readings.SetMain(MeterReadings::DdmSessionRow, MeterDateTimeText(lastSession));
}

// The current peak, then the one kept at the settlement day and hour.
void ReadingDecoders::PeakPowers(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.HasLength(16))
        return;
    for (const int column : {MeterReadings::Current, MeterReadings::Settlement}) {
        const int at = 2 + 7 * column;
        readings.SetAddi(MeterReadings::PeakTimeRow, column, MeterDateTimeText(response.I32(at)));
        readings.SetAddi(MeterReadings::PeakPowerRow, column, QString::number(response.U24(at + 4)));
    }
}

void ReadingDecoders::DdmNumber(MeterReadings& readings, const ResponseFields& response)
{
    if (!response.Holds(5))
        return;
    readings.SetMain(MeterReadings::DdmNumberRow, QString::number(response.U24(2)));
    const quint8 mode = response.Byte(5);
    readings.SetMain(MeterReadings::DdmModeRow, mode == 0 ? QStringLiteral("авто") : QString::number(mode));
}
