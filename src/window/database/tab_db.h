#pragma once
// Tab "База данных": the operation log's entries of one meter number.

class QSpinBox;
class QTextEdit;
class QWidget;

struct TabDb {
    QWidget* page;
    QSpinBox* SpinFilter;
    QTextEdit* MemoDb;

    static TabDb Create();
};
