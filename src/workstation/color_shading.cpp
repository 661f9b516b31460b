#include "workstation/color_shading.h"

#include <algorithm>

namespace {

quint32 ShadeChannel(quint32 channel, int percent)
{
    const int shaded = int(channel) + int(channel) * percent / 100;
    return quint32(std::clamp(shaded, 0, 255));
}

} // namespace

quint32 ShadeColor(quint32 color, int redPercent, int greenPercent, int bluePercent)
{
    const quint32 red = ShadeChannel(color & 0xFF, redPercent);
    const quint32 green = ShadeChannel((color >> 8) & 0xFF, greenPercent);
    const quint32 blue = ShadeChannel((color >> 16) & 0xFF, bluePercent);
    return red | green << 8 | blue << 16;
}
