#include "protocol/frame.h"

#include <QHash>

quint16 Crc16(const char* data, qsizetype size)
{
    quint16 crc = 0xFFFF;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= static_cast<quint8>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

void AppendCrc(QByteArray& frame)
{
    const quint16 crc = Crc16(frame.constData(), frame.size());
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
}

bool CrcValid(const QByteArray& frame)
{
    if (frame.size() < 2)
        return false;
    const qsizetype covered = frame.size() - 2;
    const quint16 crc = Crc16(frame.constData(), covered);
    return quint8(frame[covered]) == (crc & 0xFF) && quint8(frame[covered + 1]) == (crc >> 8);
}

QByteArray MakeFrame(quint8 code, const QByteArray& payload)
{
    QByteArray frame;
    frame.append(char(code));
    frame.append(char(payload.size() + 2));
    frame.append(payload);
    AppendCrc(frame);
    return frame;
}

namespace {

const QHash<quint8, QString>& Catalogue()
{
    static const QHash<quint8, QString> names{
        {ReadVersion, "чтение версии ПО"},
        {ReadNumber, "чтение номера"},
        {WriteNumber, "запись номера"},
        {ReadClock, "чтение времени"},
        {WriteClock, "запись времени"},
        {ReadLimitCoefficient, "чтение коэффициента лимита тарифного расписания"},
        {WriteLimitCoefficient, "запись коэффициента лимита тарифного расписания"},
        {ReadSchedule, "чтение тарифного расписания"},
        {WriteSchedule, "запись тарифного расписания"},
        {ReadPlcAddress, "чтение Plc-группы и адреса"},
        {WritePlcAddress, "запись Plc-группы и адреса"},
        {ReadAveragePower, "чтение средней мощности нагрузки"},
        {ReadIndicator, "чтение индикатора"},
        {WriteIndicator, "запись индикатора"},
        {ReadReadings, "чтение показаний"},
        {ReadCounters, "чтение счетчиков работы и коррекции"},
        {ReadYearJournal, "чтение годового журнала"},
        {ReadConsumptionJournal, "чтение журнала потребления"},
        {EnterPassword, "ввод пароля"},
        {WritePassword, "запись нового пароля"},
        {ReadIntegrationTime, "чтение времени интегрирования пиковой мощности"},
        {WriteIntegrationTime, "запись времени интегрирования пиковой мощности"},
        {ReadRoute, "чтение маршрута ретрансляции"},
        {WriteRoute, "запись маршрута ретрансляции"},
        {ReadSettlement, "чтение расчетного дня и часа"},
        {WriteSettlement, "запись расчетного дня и часа"},
        {ResetSettlementReadings, "сброс показаний РЧД"},
        {ReadHolidays, "чтение праздников"},
        {WriteHolidays, "запись праздников"},
        {ReadTransfers, "чтение переносов"},
        {WriteTransfers, "запись переносов"},
        {ReadDdmStatus, "чтение статуса ДДМ"},
        {ReadPeakPowers, "чтение пиковых мощностей"},
        {ReadDdmNumber, "чтение номера ДДМ"},
        {WriteDdmNumber, "запись номера ДДМ"},
    };
    return names;
}

} // namespace

QString CommandName(quint8 code)
{
    return Catalogue().value(code & 0x7F, QStringLiteral("неизвестная функция"));
}

bool IsKnownFunction(quint8 code)
{
    return Catalogue().contains(code);
}

QString ErrorText(quint8 errorNumber)
{
    switch (errorNumber) {
    case 1: return QStringLiteral("Ошибка: Неизвестная функция");
    case 2: return QStringLiteral("Ошибка: Неверная длина запроса");
    case 3: return QStringLiteral("Ошибка: Неверная контрольная сумма");
    case 4: return QStringLiteral("Ошибка: Неверные данные запроса");
    case 5: return QStringLiteral("Ошибка: Память защищена");
    case 6: return QStringLiteral("Ошибка: Доступ запрещен");
    default: return QStringLiteral("Неизвестная ошибка");
    }
}

QString HexDump(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size() * 3);
    for (char b : bytes)
        text += QStringLiteral("%1 ").arg(quint8(b), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}
