#include "meter/meter_readings.h"

#include "link/meter_link.h"
#include "meter/reading_decoders.h"
#include "meter/tariff_caption.h"
#include "protocol/meter_tariffs.h"

const QStringList& MeterReadings::MainCaptions()
{
    static const QStringList captions{
        QStringLiteral("Тип"),
        QStringLiteral("Заводской номер"),
        QStringLiteral("Версия ПО"),
        QString(),
        QStringLiteral("Дата / время"),
        QStringLiteral("Автопереход на летнее время"),
        QStringLiteral("Тест часов"),
        QString(),
        QStringLiteral("Расчетный день"),
        QStringLiteral("Расчетный час"),
        QStringLiteral("Контрольная сумма тарифного расписания"),
        QString(),
        QStringLiteral("Время интегрирования пиковой мощности, мин."),
        QString(),
        QStringLiteral("Номер ДДМ"),
        QStringLiteral("Режим тарификации ДДМ"),
        QStringLiteral("Статус баланса ДДМ"),
        QStringLiteral("Последний сеанс ДДМ"),
    };
    return captions;
}

const QStringList& MeterReadings::AddiCaptions()
{
    static const QStringList captions = [] {
        QStringList list{QStringLiteral("Время работы"), QStringLiteral("Счетчик коррекций"),
            QStringLiteral("Текущий тариф"), QString(), QStringLiteral("Текущая мощность, Вт"), QString()};
        for (int tariff = 1; tariff <= TariffCount; ++tariff)
            list << TariffCaption(tariff);
        list << QString() << QStringLiteral("Пиковая мощность, Вт") << QStringLiteral("Время фиксации");
        return list;
    }();
    return captions;
}

const QStringList& MeterReadings::AddiColumns()
{
    static const QStringList columns{QStringLiteral("текущие"), QStringLiteral("РДЧ")};
    return columns;
}

const QStringList& MeterReadings::IndicatorCaptions()
{
    static const QStringList captions{
        QStringLiteral("Суммарное потребление"),
        QStringLiteral("Потребление на РДЧ"),
        QStringLiteral("Дата"),
        QStringLiteral("Мощность"),
        QStringLiteral("Автопереключение индикации"),
    };
    return captions;
}

MeterReadings::MeterReadings(QObject* parent)
    : QObject(parent)
{
}

void MeterReadings::Attach(MeterLink& link)
{
    for (const quint8 code : ReadingDecoders::Codes())
        link.RegisterDecoder(code, [this](const QByteArray&, const QByteArray& response) {
            ReadingDecoders::Decode(*this, response);
        });
    link.SetTypeCodeSource([this] { return typeCode_; });
    connect(&link, &MeterLink::MeterStateReset, this, &MeterReadings::Reset);
}

void MeterReadings::SetMain(int row, const QString& text)
{
    if (main_[row] == text)
        return;
    main_[row] = text;
    emit MainChanged(row, text);
}

void MeterReadings::SetAddi(int row, int column, const QString& text)
{
    if (addi_[row][column] == text)
        return;
    addi_[row][column] = text;
    emit AddiChanged(row, column, text);
}

void MeterReadings::SetIndicator(int item, bool on)
{
    if (indicator_[item] == on)
        return;
    indicator_[item] = on;
    emit IndicatorChanged(item, on);
}

void MeterReadings::SetNumberEditable(bool on)
{
    SetNumberAllocatable(on);
    if (numberEditable_ == on)
        return;
    numberEditable_ = on;
    emit NumberEditableChanged(on);
}

void MeterReadings::SetNumberAllocatable(bool on)
{
    if (numberAllocatable_ == on)
        return;
    numberAllocatable_ = on;
    emit NumberAllocatableChanged(on);
}

void MeterReadings::SetDdmUnavailable()
{
    if (!ddmAvailable_)
        return;
    ddmAvailable_ = false;
    emit DdmAvailableChanged(false);
}

void MeterReadings::Reset()
{
    for (int row = 0; row < MainRows; ++row)
        SetMain(row, {});
    for (int row = 0; row < AddiRows; ++row)
        SetAddi(row, Current, {});
    typeCode_ = 0;
    meterNumber_ = 0;
    clockFlags_ = 0;
    ddmState_ = 0;
    SetNumberAllocatable(true);
}
