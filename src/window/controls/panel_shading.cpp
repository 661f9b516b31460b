#include "window/controls/panel_shading.h"

#include "workstation/color_shading.h"

#include <QPalette>
#include <QWidget>

namespace {

// ShadeColor's colours are 0x00BBGGRR.
quint32 Packed(const QColor& color)
{
    return quint32(color.red()) | quint32(color.green()) << 8 | quint32(color.blue()) << 16;
}

QColor Unpacked(quint32 packed)
{
    return QColor(int(packed & 0xFF), int(packed >> 8 & 0xFF), int(packed >> 16 & 0xFF));
}

} // namespace

void ShadeBackground(QWidget* widget, int redPercent, int greenPercent, int bluePercent)
{
    QPalette palette = widget->palette();
    const quint32 face = Packed(palette.color(QPalette::Button));
    palette.setColor(QPalette::Window, Unpacked(ShadeColor(face, redPercent, greenPercent, bluePercent)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
