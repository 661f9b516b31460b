#pragma once
// The tooltip of ListDiary: the decoded lines of the status under the mouse,
// as the status dialog decodes them.

#include <QObject>

class QTreeWidget;

// Sets the list's tooltip for the mouse at (x, y) of its viewport: when
// that is a "Статус" cell, its status is handed to the status dialog of
// the list's window, which then shows it, and the tooltip is the dialog's
// decoded lines; otherwise no tooltip. The column is the one shown there,
// the horizontal scroll taken into account.
void ListDiaryMouseMove(QTreeWidget& list, int x, int y);

// Follows the mouse over the list and shows its tooltip.
class DiaryTooltip : public QObject {
public:
    explicit DiaryTooltip(QTreeWidget& list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidget& list_;
};
