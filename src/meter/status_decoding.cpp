#include "meter/status_decoding.h"

namespace {

constexpr int PowerOff = 255;
constexpr int ConsumptionBits = 0x1F;

} // namespace

QStringList DecodeStatus(int status)
{
    if (status == PowerOff)
        return {QStringLiteral("Выключение питания")};
    QStringList lines;
    if (status & 0x80)
        lines << QStringLiteral("ДДМ не описан.");
    if (status & 0x40)
        lines << QStringLiteral("Дата и время таймера не установлены.");
    if (status & 0x20)
        lines << QStringLiteral("Неисправность таймера календаря.");
    static const QStringList consumption{
        QStringLiteral("Потребление в норме."),
        QStringLiteral("Потребление ДДМ > ББ."),
        QStringLiteral("Потребление ДДМ < ББ."),
    };
    const int balance = status & ConsumptionBits;
    if (balance < consumption.size())
        lines << consumption[balance];
    return lines;
}
