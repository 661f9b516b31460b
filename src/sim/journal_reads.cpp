#include "sim/journal_reads.h"

#include "protocol/frame.h"
#include "sim/meter_real.h"
#include "sim/wire_format.h"

#include <QHash>

namespace {

QByteArray MonthBytes(const YearJournalMonth& month)
{
    QByteArray data(1, char(month.captionPrefix));
    for (const double kWh : month.readings)
        AppendLittleEndian(data, EncodeMeterReal(kWh), 4);
    AppendLittleEndian(data, quint32(month.peak.stamp), 4);
    AppendLittleEndian(data, month.peak.watts, 3);
    AppendLittleEndian(data, month.operatingSeconds, 4);
    return data;
}

QByteArray RecordBytes(const ConsumptionRecord& record)
{
    QByteArray data(1, char(record.number));
    AppendLittleEndian(data, quint32(record.stamp), 4);
    data.append(char(record.tariff));
    AppendLittleEndian(data, EncodeMeterReal(record.reading), 4);
    data.append(char(record.status));
    AppendLittleEndian(data, record.operatingSeconds, 4);
    return data;
}

// The index comes back alone for a slot without a record; an index past
// the journal's end is wrong data.
template <typename Entry, std::size_t Count>
FunctionResult JournalSlot(const std::array<std::optional<Entry>, Count>& journal, const QByteArray& payload,
    QByteArray (*bytes)(const Entry&))
{
    const int index = quint8(payload[0]);
    if (index >= int(Count))
        return {{}, WrongRequestData};
    QByteArray data = Bytes({index});
    if (const auto& entry = journal[index])
        data += bytes(*entry);
    return {data};
}

FunctionResult YearMonth(const FunctionCall& call)
{
    return JournalSlot(call.state.yearJournal, call.payload, MonthBytes);
}

FunctionResult ConsumptionEntry(const FunctionCall& call)
{
    return JournalSlot(call.state.consumptionJournal, call.payload, RecordBytes);
}

} // namespace

const MeterFunction* FindJournalRead(quint8 code)
{
    static const QHash<quint8, MeterFunction> reads{
        {ReadYearJournal, {1, YearMonth}},
        {ReadConsumptionJournal, {1, ConsumptionEntry}},
    };
    const auto found = reads.constFind(code);
    return found == reads.cend() ? nullptr : &*found;
}
