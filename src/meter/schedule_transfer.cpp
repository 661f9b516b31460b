#include "meter/schedule_transfer.h"

#include "protocol/frame.h"
#include "link/meter_link.h"
#include "protocol/wire_values.h"
#include "meter/access_password.h"
#include "meter/meter_readings.h"
#include "meter/operation_log.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_document.h"
#include "workstation/dialogs.h"

namespace {

// Length bytes of the meter's answers that carry something.
constexpr int RecordAnswerLength = 10;
constexpr int EmptyRecordAnswerLength = 3;
constexpr int ChecksumAnswerLength = 4;
constexpr int HolidayAnswerLength = 5;
constexpr int TransferAnswerLength = 7;
constexpr int CoefficientAnswerLength = 3;
// The length byte of a record read; the poll's checksum read has none.
constexpr int RecordRequestLength = 3;

int LengthByte(const QByteArray& response)
{
    return quint8(response[1]);
}

// A holiday slot is written when both its day and its month are set; a
// transfer slot when its day, month and day type are (year 2000 is 0).
bool HolidaySlotUsed(const QByteArray& slot)
{
    return slot[0] != 0 && slot[1] != 0;
}

bool TransferSlotUsed(const QByteArray& slot)
{
    return slot[0] != 0 && slot[1] != 0 && slot[3] != 0;
}

void AppendSlotWrites(QList<QByteArray>& batch, quint8 code, const QByteArray& block, int slotSize,
    bool (*used)(const QByteArray&))
{
    for (int i = 0; i * slotSize < block.size(); ++i) {
        const QByteArray slot = block.mid(i * slotSize, slotSize);
        if (used(slot))
            batch << MakeFrame(code, char(i) + slot);
    }
}

QString TooManyRecords(qsizetype count)
{
    return QStringLiteral("Тарифное расписание из %1 записей не помещается в счетчик: счетчик хранит не более %2 "
                          "записей. Расписание не записано.")
        .arg(count)
        .arg(MeterRecordSlots);
}

} // namespace

std::variant<QList<QByteArray>, QString> BuildScheduleWriteBatch(const QList<QByteArray>& records,
    const QByteArray& holidayBlock, const QByteArray& transferBlock, int limitCoefficient)
{
    if (records.size() > MeterRecordSlots)
        return TooManyRecords(records.size());
    QList<QByteArray> batch = LoginRequests();
    batch << MakeFrame(WriteHolidays) << MakeFrame(WriteTransfers) << MakeFrame(WriteSchedule)
          << MakeFrame(WriteLimitCoefficient, Bytes({limitCoefficient}));
    // The meter takes holidays and transfers only along with zone records.
    if (records.isEmpty())
        return batch;
    AppendSlotWrites(batch, WriteHolidays, holidayBlock, HolidaySlotSize, HolidaySlotUsed);
    AppendSlotWrites(batch, WriteTransfers, transferBlock, TransferSlotSize, TransferSlotUsed);
    for (int k = 0; k < records.size(); ++k)
        batch << MakeFrame(WriteSchedule, char(k) + records[k]);
    return batch;
}

QList<QByteArray> ScheduleReadBatch()
{
    QList<QByteArray> batch{MakeFrame(ReadLimitCoefficient)};
    for (int i = 0; i < MeterRecordSlots; ++i)
        batch << MakeFrame(ReadSchedule, Bytes({i}));
    for (int i = 0; i < MaxHolidays; ++i)
        batch << MakeFrame(ReadHolidays, Bytes({i}));
    for (int i = 0; i < MaxTransfers; ++i)
        batch << MakeFrame(ReadTransfers, Bytes({i}));
    return batch;
}

ScheduleTransfer::ScheduleTransfer(MeterLink& link, MeterReadings& readings, ScheduleDocument& schedule,
    OperationLog& log, Dialogs& dialogs, QObject* parent)
    : QObject(parent), link_(link), readings_(readings), schedule_(schedule), log_(log), dialogs_(dialogs)
{
    link_.RegisterDecoder(ReadLimitCoefficient,
        [this](const QByteArray&, const QByteArray& response) { DecodeCoefficient(response); });
    link_.RegisterDecoder(WriteLimitCoefficient, [this](const QByteArray&, const QByteArray&) {
        log_.Append(QStringLiteral("Коэффициент лимита тарифного расписания=%1")
                        .arg(schedule_.Model().LimitCoefficient()));
    });
    link_.RegisterDecoder(ReadSchedule, [this](const QByteArray& request, const QByteArray& response) {
        DecodeRecordOrChecksum(request, response);
    });
    link_.RegisterDecoder(ReadHolidays,
        [this](const QByteArray&, const QByteArray& response) { DecodeHoliday(response); });
    link_.RegisterDecoder(ReadTransfers,
        [this](const QByteArray&, const QByteArray& response) { DecodeTransfer(response); });
    connect(&link_, &MeterLink::BatchFinished, this, [this](WriteBatch batch, BatchOutcome outcome) {
        if (batch == WriteBatch::Schedule && outcome == BatchOutcome::Completed)
            schedule_.MarkUnmodified(written_);
    });
}

bool ScheduleTransfer::ActionWriteSchedExecute()
{
    const QList<QByteArray> records = schedule_.GetSheduleList();
    const auto batch = BuildScheduleWriteBatch(records, schedule_.GetCelString(), schedule_.GetTransferString(),
        schedule_.Model().LimitCoefficient());
    if (const QString* refusal = std::get_if<QString>(&batch)) {
        dialogs_.ShowError(*refusal);
        return false;
    }
    written_ = schedule_.Snapshot();
    link_.SetScheduleWritePending(true);
    link_.Append(std::get<QList<QByteArray>>(batch));
    link_.EnableMeterCommands(false);
    return true;
}

void ScheduleTransfer::ActionReadSchedExecute()
{
    emit SchedulePageWanted();
    schedule_.SetCalendar({}, {});
    schedule_.SetFilePath({});
    schedule_.MarkUnmodified();
    readZones_.clear();
    readRefusal_.clear();
    readingZones_ = true;
    SetGauge(0);
    link_.Append(ScheduleReadBatch());
    link_.EnableMeterCommands(false);
}

void ScheduleTransfer::DecodeCoefficient(const QByteArray& response)
{
    // Without its data byte, byte 2 is the check sum.
    if (LengthByte(response) >= CoefficientAnswerLength)
        TakeRead([&] { schedule_.SetLimitCoefficient(quint8(response[2])); });
}

void ScheduleTransfer::DecodeRecordOrChecksum(const QByteArray& request, const QByteArray& response)
{
    switch (LengthByte(response)) {
    case RecordAnswerLength:
        NoteImpossibleRecord(request, response.mid(3, RecordSize));
        readZones_.append(response.mid(3, RecordSize));
        SetGauge(gaugePosition_ + 1);
        break;
    case EmptyRecordAnswerLength:
        SetGauge(gaugePosition_ + 1);
        break;
    case ChecksumAnswerLength:
        readings_.SetMain(MeterReadings::ScheduleChecksumRow, QString::number(ReadLittleEndian(response, 2, 2)));
        break;
    default:
        break;
    }
}

void ScheduleTransfer::DecodeHoliday(const QByteArray& response)
{
    HandOverRecords();
    if (LengthByte(response) == HolidayAnswerLength)
        if (const auto holiday = HolidayFromSlot(response[3], response[4]))
            TakeRead([&] { schedule_.AddHoliday(*holiday); });
    SetGauge(gaugePosition_ + 1);
}

void ScheduleTransfer::DecodeTransfer(const QByteArray& response)
{
    if (LengthByte(response) == TransferAnswerLength)
        if (const auto transfer = TransferFromSlot(response.mid(3, TransferSlotSize)))
            TakeRead([&] { schedule_.AddTransfer(*transfer); });
    SetGauge(gaugePosition_ + 1);
}

// The gathered list leaves out the empty slots, so only here, beside the
// request, is a record known by the index the meter keeps it under.
void ScheduleTransfer::NoteImpossibleRecord(const QByteArray& request, const QByteArray& record)
{
    if (!readRefusal_.isEmpty() || LengthByte(request) != RecordRequestLength)
        return;
    if (const auto decoded = DecodeRecord(record); const QString* reason = std::get_if<QString>(&decoded))
        readRefusal_ = QStringLiteral("Запись тарифного расписания с индексом %1 в счетчике: %2")
                           .arg(quint8(request[2]))
                           .arg(*reason);
}

// All record answers come before the first holiday answer, so the schedule
// gets the meter's records at once, in index order. A meter without any
// record shows as an empty schedule, not as the one edited before.
void ScheduleTransfer::HandOverRecords()
{
    if (!readingZones_)
        return;
    readingZones_ = false;
    QString reason = readRefusal_;
    if (reason.isEmpty())
        TakeRead([&] { reason = schedule_.SetSheduleList(readZones_); });
    readZones_.clear();
    readRefusal_.clear();
    if (reason.isEmpty())
        return;
    // Shown once the decoder has returned: the read goes on meanwhile.
    QMetaObject::invokeMethod(this, [this, reason] {
        dialogs_.ShowError(QStringLiteral("Тарифное расписание счетчика не может быть показано. %1").arg(reason));
    }, Qt::QueuedConnection);
}

void ScheduleTransfer::TakeRead(const std::function<void()>& change)
{
    const bool unmodified = !schedule_.Modified();
    change();
    if (unmodified)
        schedule_.MarkUnmodified();
}

void ScheduleTransfer::SetGauge(int position)
{
    gaugePosition_ = position;
    emit GaugeChanged(position, GaugeMaximum);
}
