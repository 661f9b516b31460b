#include "journals/journal_reads.h"

#include "journals/journal_decoders.h"
#include "protocol/frame.h"
#include "link/meter_link.h"
#include "protocol/wire_values.h"
#include "meter/meter_readings.h"
#include "workstation/list_order.h"

#include <algorithm>

namespace {

// The consumption read's last index is as far as its gauge goes.
constexpr int DiaryGaugeMaximum = JournalReads::DiaryRequests - 1;

QList<QByteArray> IndexRequests(quint8 code, int count)
{
    QList<QByteArray> batch;
    for (int index = 0; index < count; ++index)
        batch << MakeFrame(code, Bytes({index}));
    return batch;
}

// Captions row, then a month caption heading each row, the rest empty.
TextGrid EmptyYearGrid()
{
    TextGrid grid;
    grid.rows << YearGridColumnCaptions();
    const int columns = int(YearGridColumnCaptions().size());
    for (const QString& month : YearGridMonthCaptions()) {
        QStringList row(columns);
        row[0] = month;
        grid.rows << row;
    }
    return grid;
}

// Ascending record numbers, as the list's sort by its caption orders them.
bool DiaryRowBefore(const QStringList& row1, const QStringList& row2)
{
    return CompareListNumbers(row2, row1, 0) > 0;
}

} // namespace

JournalReads::JournalReads(MeterLink& link, MeterReadings& readings, QObject* parent)
    : QObject(parent), link_(link), readings_(readings), year_(EmptyYearGrid())
{
    link_.RegisterDecoder(ReadYearJournal,
        [this](const QByteArray&, const QByteArray& response) { DecodeYear(response); });
    link_.RegisterDecoder(ReadConsumptionJournal,
        [this](const QByteArray&, const QByteArray& response) { DecodeDiary(response); });
    connect(&link_, &MeterLink::MeterStateReset, this, &JournalReads::Forget);
}

const QStringList& JournalReads::DiaryCaptions()
{
    static const QStringList captions{
        QStringLiteral("Запись №"),
        QStringLiteral("Время"),
        QStringLiteral("Статус"),
        QStringLiteral("Тариф"),
        QStringLiteral("Показания"),
        QStringLiteral("Наработка"),
    };
    return captions;
}

void JournalReads::BtnReadJournalYearClick()
{
    yearMeterNumber_ = readings_.MeterNumber();
    link_.Append(IndexRequests(ReadYearJournal, YearRequests));
    EmptyYearCells();
    emit YearChanged();
    link_.ShowProgress(ProgressRead::Journal);
    emit GaugeChanged(0, YearRequests);
}

void JournalReads::BtnReadDiaryClick()
{
    diaryMeterNumber_ = readings_.MeterNumber();
    link_.ShowProgress(ProgressRead::Journal);
    emit GaugeChanged(0, DiaryGaugeMaximum);
    link_.Append(IndexRequests(ReadConsumptionJournal, DiaryRequests));
    diary_.clear();
    emit DiaryCleared();
}

void JournalReads::DecodeYear(const QByteArray& response)
{
    if (HasInvalidMonth(response))
        link_.Protocol().Append(QStringLiteral("Некорректный месяц журнала"));
    if (const auto shown = YearJournalRowOf(response, readings_.VersionWord())) {
        for (int column = 0; column < shown->cells.size(); ++column)
            year_.rows[shown->row][column] = shown->cells[column];
        emit YearChanged();
    }
    if (const auto month = JournalIndexOf(response))
        SetGauge(*month + 1, YearRequests);
}

void JournalReads::DecodeDiary(const QByteArray& response)
{
    if (const auto row = DiaryRowOf(response)) {
        // The list is kept sorted, so the new row goes where a sort puts it.
        const auto at = std::upper_bound(diary_.begin(), diary_.end(), *row, DiaryRowBefore);
        const int position = int(at - diary_.begin());
        diary_.insert(position, *row);
        emit DiaryRowAdded(position);
    }
    if (const auto index = JournalIndexOf(response))
        SetGauge(*index, DiaryGaugeMaximum);
}

void JournalReads::EmptyYearCells()
{
    for (int row = 1; row < year_.RowCount(); ++row)
        for (int column = 1; column < year_.ColumnCount(); ++column)
            year_.rows[row][column].clear();
}

// An index past the journal's end leaves the gauge full rather than beyond
// its maximum.
void JournalReads::SetGauge(int position, int maximum)
{
    emit GaugeChanged(std::min(position, maximum), maximum);
}

void JournalReads::Forget()
{
    EmptyYearCells();
    diary_.clear();
    emit YearChanged();
    emit DiaryCleared();
}

std::optional<int> StatusOfCell(const QString& statusText)
{
    bool ok = false;
    const int status = statusText.toInt(&ok);
    if (!ok || status < 0 || status > 0xFF)
        return std::nullopt;
    return status;
}
