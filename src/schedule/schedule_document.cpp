#include "schedule/schedule_document.h"

#include "schedule/calendar_edits.h"
#include "schedule/schedule_bytes.h"

namespace {

// The list without the given rows, whatever their order or repeats.
template <typename T>
QList<T> WithoutRows(const QList<T>& list, const QList<qsizetype>& rows)
{
    QList<T> kept;
    for (qsizetype i = 0; i < list.size(); ++i)
        if (!rows.contains(i))
            kept.append(list[i]);
    return kept;
}

// All records or the reason why not all can be taken.
std::variant<QList<AList>, QString> DecodeRecords(const QList<QByteArray>& records)
{
    QList<AList> decoded;
    for (qsizetype k = 0; k < records.size(); ++k) {
        const auto record = DecodeRecord(records[k]);
        if (const QString* reason = std::get_if<QString>(&record))
            return QStringLiteral("Запись %1 тарифного расписания: %2").arg(k + 1).arg(*reason);
        decoded.append(std::get<AList>(record));
    }
    return decoded;
}

} // namespace

ScheduleDocument::ScheduleDocument(QObject* parent) : QObject(parent), unmodified_(Snapshot())
{
    for (const auto change : {&ScheduleDocument::RecordsChanged, &ScheduleDocument::Committed,
             &ScheduleDocument::CalendarChanged})
        connect(this, change, this, &ScheduleDocument::EditStateChanged);
}

QList<QByteArray> ScheduleDocument::GetSheduleList()
{
    FinishEditing();
    model_.Commit();
    emit Committed();
    QList<QByteArray> records;
    for (const AList& record : model_.SavedList())
        records.append(EncodeRecord(record));
    return records;
}

QString ScheduleDocument::SetSheduleList(const QList<QByteArray>& records)
{
    const auto decoded = DecodeRecords(records);
    if (const QString* reason = std::get_if<QString>(&decoded))
        return *reason;
    ReplaceRecords(std::get<QList<AList>>(decoded));
    return {};
}

QByteArray ScheduleDocument::GetCelString() const
{
    return EncodeHolidays(model_.Holidays());
}

void ScheduleDocument::SetCelString(const QByteArray& block)
{
    if (block.size() != HolidayBlockSize)
        return;
    model_.SetHolidays(DecodeHolidays(block));
    emit CalendarChanged();
}

QByteArray ScheduleDocument::GetTransferString() const
{
    return EncodeTransfers(model_.Transfers());
}

QString ScheduleDocument::SetTransferString(const QByteArray& block)
{
    if (block.size() != TransferBlockSize)
        return {};
    const auto transfers = DecodeTransfers(block);
    if (const QString* reason = std::get_if<QString>(&transfers))
        return *reason;
    model_.SetTransfers(std::get<QList<Transfer>>(transfers));
    emit CalendarChanged();
    return {};
}

void ScheduleDocument::SetLimitCoefficient(int coefficient)
{
    model_.SetLimitCoefficient(coefficient);
    emit CalendarChanged();
}

void ScheduleDocument::SetCalendar(const QList<Holiday>& holidays, const QList<Transfer>& transfers)
{
    model_.SetHolidays(holidays);
    model_.SetTransfers(transfers);
    emit CalendarChanged();
}

TscContent ScheduleDocument::Content()
{
    TscContent content;
    content.records = GetSheduleList();
    content.holidayBlock = GetCelString();
    content.transferBlock = GetTransferString();
    content.limitCoefficient = quint8(model_.LimitCoefficient());
    return content;
}

QString ScheduleDocument::Load(const TscContent& content)
{
    // Records and transfers are the parts that can be refused; both are
    // settled before anything is replaced, so a refused file changes nothing.
    const auto records = DecodeRecords(content.records);
    if (const QString* reason = std::get_if<QString>(&records))
        return *reason;
    if (const QString reason = SetTransferString(content.transferBlock); !reason.isEmpty())
        return reason;
    SetCelString(content.holidayBlock);
    SetLimitCoefficient(content.limitCoefficient);
    ReplaceRecords(std::get<QList<AList>>(records));
    return {};
}

void ScheduleDocument::New()
{
    ReplaceRecords({});
    SetCalendar(DefaultHolidays(), {});
}

void ScheduleDocument::FinishEditing()
{
    emit EditingFinishWanted();
}

ScheduleSnapshot ScheduleDocument::Snapshot() const
{
    return {model_.WorkList(), Profiles(), model_.Holidays(), model_.Transfers(), model_.LimitCoefficient()};
}

bool ScheduleDocument::Modified() const
{
    if (model_.LimitCoefficient() != unmodified_.limitCoefficient || model_.Holidays() != unmodified_.holidays
        || model_.Transfers() != unmodified_.transfers)
        return true;
    // The records alone settle it in the common case, quickly.
    return model_.WorkList() != unmodified_.records && Profiles() != unmodified_.profiles;
}

void ScheduleDocument::MarkUnmodified(const ScheduleSnapshot& snapshot)
{
    unmodified_ = snapshot;
    emit EditStateChanged();
}

void ScheduleDocument::SetFilePath(const QString& path)
{
    filePath_ = path;
    emit EditStateChanged();
}

YearMap<QList<TZone>> ScheduleDocument::Profiles() const
{
    YearMap<QList<TZone>> profiles;
    ForEachCell([&](int month, int dayType) { profiles(month, dayType) = model_.Profile(month, dayType); });
    return profiles;
}

void ScheduleDocument::AddHoliday(const Holiday& holiday)
{
    SetCalendar(model_.Holidays() + QList{holiday}, model_.Transfers());
}

void ScheduleDocument::AddTransfer(const Transfer& transfer)
{
    SetCalendar(model_.Holidays(), model_.Transfers() + QList{transfer});
}

bool ScheduleDocument::InsertHoliday(const Holiday& holiday)
{
    QList<Holiday> holidays = model_.Holidays();
    if (holidays.size() >= MaxHolidays || !HolidayExists(holiday))
        return false;
    holidays.insert(HolidayInsertIndex(holidays, holiday), holiday);
    SetCalendar(holidays, model_.Transfers());
    return true;
}

bool ScheduleDocument::InsertTransfer(const Transfer& transfer)
{
    QList<Transfer> transfers = model_.Transfers();
    const bool storable = transfer.Date.isValid() && transfer.Date.year() >= 2000
        && transfer.Date <= LatestTransferDate() && transfer.DayType >= 1 && transfer.DayType <= DayTypeCount;
    if (transfers.size() >= MaxTransfers || !storable)
        return false;
    transfers.insert(TransferInsertIndex(transfers, transfer.Date), transfer);
    SetCalendar(model_.Holidays(), transfers);
    return true;
}

void ScheduleDocument::RemoveHolidays(const QList<qsizetype>& rows)
{
    SetCalendar(WithoutRows(model_.Holidays(), rows), model_.Transfers());
}

void ScheduleDocument::RemoveTransfers(const QList<qsizetype>& rows)
{
    SetCalendar(model_.Holidays(), WithoutRows(model_.Transfers(), rows));
}

void ScheduleDocument::ReplaceRecords(const QList<AList>& records)
{
    model_.SetSavedList(records);
    model_.Revert();
    emit RecordsChanged();
}
