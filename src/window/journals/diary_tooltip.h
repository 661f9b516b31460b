#pragma once
// The tooltip of ListDiary: the decoded lines of the status under the mouse,
// as the status dialog decodes them.

#include <QObject>

class QTreeWidget;
class TFormStatus;

// Sets the list's tooltip for the mouse at (x, y) of its viewport: when
// that is a "Статус" cell, its status is handed to the status dialog,
// which then shows it, and the tooltip is the dialog's decoded lines;
// otherwise no tooltip. The column is the one shown there, the horizontal
// scroll taken into account.
void ListDiaryMouseMove(QTreeWidget& list, TFormStatus& dialog, int x, int y);

// Follows the mouse over the list and shows its tooltip.
class DiaryTooltip : public QObject {
public:
    DiaryTooltip(QTreeWidget& list, TFormStatus& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget& list_;
    TFormStatus& dialog_;
};
