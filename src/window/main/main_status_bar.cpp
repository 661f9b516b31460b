#include "window/main/main_status_bar.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

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
        panel->setFixedWidth(widths[i]);
        bar->addWidget(panel);
        status.panels[i] = panel;
    }
    return status;
}
