#include "schedule/tsc_file.h"

#include "schedule/schedule_bytes.h"

namespace {

const QByteArray LineEnd("\r\n");

} // namespace

QByteArray TscBytes(const TscContent& content)
{
    QByteArray bytes = content.holidayBlock + LineEnd + content.transferBlock + LineEnd
        + char(content.limitCoefficient) + LineEnd;
    for (const QByteArray& record : content.records)
        bytes += record + LineEnd;
    return bytes;
}

std::variant<TscContent, QString> ParseTsc(const QByteArray& bytes)
{
    if (bytes.size() < TscHeaderSize)
        return QStringLiteral("Файл короче %1 байт и не может быть файлом тарифного расписания.").arg(TscHeaderSize);
    if (bytes.size() > TscMaxSize)
        return QStringLiteral("Файл длиннее %1 байт и не может быть файлом тарифного расписания.").arg(TscMaxSize);
    if ((bytes.size() - TscHeaderSize) % TscRecordLineSize != 0)
        return QStringLiteral("Файл тарифного расписания обрывается посреди записи.");
    // Line ends are found by position alone and never examined.
    TscContent content;
    content.holidayBlock = bytes.mid(0, HolidayBlockSize);
    content.transferBlock = bytes.mid(HolidayBlockSize + 2, TransferBlockSize);
    content.limitCoefficient = quint8(bytes[HolidayBlockSize + 2 + TransferBlockSize + 2]);
    for (qsizetype at = TscHeaderSize; at < bytes.size(); at += TscRecordLineSize)
        content.records.append(bytes.mid(at, RecordSize));
    return content;
}
