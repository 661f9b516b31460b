#pragma once
// Tab "Установка": the values to write into the meter and, in GroupTask,
// which of them to write. The settings write fills it.

class QGroupBox;
class QWidget;

struct TabSetting {
    QWidget* page;
    QGroupBox* GroupTask;

    static TabSetting Create();
};
