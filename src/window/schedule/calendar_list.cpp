#include "window/schedule/calendar_list.h"

#include "window/controls/named.h"
#include "window/controls/read_only_view.h"

#include <QPushButton>
#include <QTreeWidget>

CalendarList::CalendarList(const CalendarListNames& names, const QStringList& headers, int capacity)
    : view(Named(new QTreeWidget, names.view))
    , insert(Named(new QPushButton(QStringLiteral("Добавить")), names.insert))
    , remove(Named(new QPushButton(QStringLiteral("Удалить")), names.remove))
    , capacity_(capacity)
{
    setParent(view);
    view->setHeaderLabels(headers);
    view->setRootIsDecorated(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    MakeReadOnly(view);
    remove->setEnabled(false);
    connect(view, &QTreeWidget::itemSelectionChanged, this, &CalendarList::SelectItem);
}

void CalendarList::Show(const QList<QStringList>& rows)
{
    if (rows == shown_)
        return;
    shown_ = rows;
    view->clear();
    for (const QStringList& row : rows)
        view->addTopLevelItem(new QTreeWidgetItem(row));
    insert->setEnabled(rows.size() < capacity_);
    remove->setEnabled(false);
}

QList<qsizetype> CalendarList::SelectedRows() const
{
    QList<qsizetype> rows;
    for (QTreeWidgetItem* item : view->selectedItems())
        rows.append(view->indexOfTopLevelItem(item));
    return rows;
}

void CalendarList::SelectItem()
{
    remove->setEnabled(!view->selectedItems().isEmpty());
}
