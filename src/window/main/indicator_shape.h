#pragma once
// Shape1: the circle on the tool bar that shows a write's result.

#include "link/meter_link.h"

#include <QColor>
#include <QWidget>

class IndicatorShape : public QWidget {
    Q_OBJECT
public:
    explicit IndicatorShape(QWidget* parent = nullptr);

    void SetIndicator(ResultIndicator indicator);
    QColor Color() const { return color_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_;
};
