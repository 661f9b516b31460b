#include "app/window_helpers.h"

#include <algorithm>

namespace {

constexpr int NotANumber = -999;

quint32 ShadeChannel(quint32 channel, int percent)
{
    const int shaded = int(channel) + int(channel) * percent / 100;
    return quint32(std::clamp(shaded, 0, 255));
}

int CellNumber(const QStringList& row, int column)
{
    bool ok = false;
    const int value = row.value(column).trimmed().toInt(&ok);
    return ok ? value : NotANumber;
}

} // namespace

quint32 ShadeColor(quint32 color, int redPercent, int greenPercent, int bluePercent)
{
    const quint32 red = ShadeChannel(color & 0xFF, redPercent);
    const quint32 green = ShadeChannel((color >> 8) & 0xFF, greenPercent);
    const quint32 blue = ShadeChannel((color >> 16) & 0xFF, bluePercent);
    return red | green << 8 | blue << 16;
}

int CompareListNumbers(const QStringList& row1, const QStringList& row2, int code)
{
    const int column = code % 100;
    const int result = CellNumber(row1, column) > CellNumber(row2, column) ? 1 : -1;
    return code / 100 >= 1 ? -result : result;
}
