#pragma once
// Tab "Тарифное расписание": the progress of a schedule read and the two
// pages of the schedule editor.

class QProgressBar;
class QTabWidget;
class QWidget;

struct TabSched {
    QWidget* page;
    QProgressBar* GaugeSched;
    QTabWidget* PageControl3;
    QWidget* TabTariff;
    QWidget* TabSheet6;

    static TabSched Create();
};
