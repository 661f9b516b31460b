#pragma once
// Tab "Тарифное расписание": the progress of a schedule read and the two
// pages of the schedule, each with a plain list of what it holds.

class QProgressBar;
class QTabWidget;
class QTreeWidget;
class QWidget;

struct TabSched {
    QWidget* page;
    QProgressBar* GaugeSched;
    QTabWidget* PageControl3;
    QWidget* TabTariff;
    QWidget* TabSheet6;
    // The committed zone records, in stored order.
    QTreeWidget* ListZones;
    // The holidays, the transfers and the limit coefficient.
    QTreeWidget* ListCalendar;

    static TabSched Create();
};
