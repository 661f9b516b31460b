#pragma once
// Tab "О счетчике": what the poll reads from the meter.

class QLineEdit;
class QListWidget;
class QTableWidget;
class QWidget;

struct TabAbout {
    QWidget* page;
    QTableWidget* ListMain;
    QTableWidget* ListAddi;
    QListWidget* CheckListIndi;
    QLineEdit* EditDelta;

    static TabAbout Create();
};
