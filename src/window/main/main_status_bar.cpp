#include "window/main/main_status_bar.h"

#include "window/controls/fit_on_font_change.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace {

// As high as a label showing any one line of text in the panel's font; an
// empty label may be a pixel lower.
int LineHeight(const QLabel& panel)
{
    return panel.fontMetrics().boundingRect(QRect(), Qt::AlignLeft, QStringLiteral("0")).height();
}

} // namespace

MainStatusBar MainStatusBar::Create(QMainWindow& window)
{
    QStatusBar* bar = window.statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[] = {160, 420};
    MainStatusBar status{};
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        bar->addWidget(panel);
        // The panels change text with every request sent. Fixed in both
        // directions, at the one line the bar gives them anyway, a new text
        // only repaints its panel: a panel free to grow would have the bar,
        // and the window after it, lay themselves out again each time.
        new FitOnFontChange(panel, [panel, width = widths[i]] { panel->setFixedSize(width, LineHeight(*panel)); });
        status.panels[i] = panel;
    }
    return status;
}
