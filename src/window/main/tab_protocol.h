#pragma once
// Tab "Протокол": the link's protocol lines and their switch.

class QCheckBox;
class QPlainTextEdit;
class QWidget;

struct TabProtocol {
    QWidget* page;
    QCheckBox* CheckBox_Terminal;
    QPlainTextEdit* Memo_Terminal;

    static TabProtocol Create();
};
