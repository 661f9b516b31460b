#include "schedule/schedule_names.h"

#include <QStringList>

namespace {

const QStringList DayGrid = {"ПН", "ВТ", "СР", "ЧТ", "ПТ", "СБ", "ВС", "ПР"};
const QStringList DayLong = {"понедельник", "вторник", "среда", "четверг", "пятница", "суббота", "воскресенье", "праздник"};
const QStringList MonthShort = {"ЯНВ", "ФЕВ", "МАР", "АПР", "МАЙ", "ИЮН", "ИЮЛ", "АВГ", "СЕН", "ОКТ", "НОЯ", "ДЕК"};
const QStringList MonthLong = {"январь", "февраль", "март", "апрель", "май", "июнь",
                               "июль", "август", "сентябрь", "октябрь", "ноябрь", "декабрь"};

} // namespace

QString DayTypeGridName(int dayType)
{
    return DayGrid.value(dayType - 1);
}

QString DayTypeLongName(int dayType)
{
    return DayLong.value(dayType - 1);
}

QString MonthShortName(int month)
{
    return MonthShort.value(month - 1);
}

QString MonthLongName(int month)
{
    return MonthLong.value(month - 1);
}

QString DayMonthText(int day, int month)
{
    return QStringLiteral("%1.%2").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}
