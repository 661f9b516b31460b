#include "window/main/indicator_shape.h"

#include <QPainter>

IndicatorShape::IndicatorShape(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Shape1"));
    setFixedSize(19, 22);
}

void IndicatorShape::SetIndicator(ResultIndicator indicator)
{
    color_ = indicator == ResultIndicator::Red ? QColor(255, 0, 0) : QColor(0, 255, 0);
    update();
}

void IndicatorShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(color_);
    const int diameter = qMin(width(), height()) - 1;
    painter.drawEllipse(QRectF((width() - diameter) / 2.0, (height() - diameter) / 2.0, diameter, diameter));
}
