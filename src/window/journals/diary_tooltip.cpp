#include "window/journals/diary_tooltip.h"

#include "journals/journal_reads.h"
#include "window/meter/form_status.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QTreeWidget>

namespace {
constexpr int StatusColumn = 2;
}

void ListDiaryMouseMove(QTreeWidget& list, TFormStatus& dialog, int x, int y)
{
    list.setToolTip({});
    const QTreeWidgetItem* row = list.itemAt(x, y);
    if (!row || list.header()->logicalIndexAt(x) != StatusColumn)
        return;
    if (const std::optional<int> status = StatusOfCell(row->text(StatusColumn)))
        list.setToolTip(dialog.ShowStatus(*status));
}

DiaryTooltip::DiaryTooltip(QTreeWidget& list, TFormStatus& dialog) : QObject(&list), list_(list), dialog_(dialog)
{
    list.viewport()->installEventFilter(this);
}

bool DiaryTooltip::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        ListDiaryMouseMove(list_, dialog_, at.x(), at.y());
    } else if (event->type() == QEvent::ToolTip) {
        // The items carry no tooltips of their own: the list's tooltip, set
        // as the mouse moved, is the one to show.
        const auto* help = static_cast<QHelpEvent*>(event);
        ListDiaryMouseMove(list_, dialog_, help->pos().x(), help->pos().y());
        if (list_.toolTip().isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), list_.toolTip(), list_.viewport());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
