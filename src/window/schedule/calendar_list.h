#pragma once
// A list of the schedule's calendar with its "Добавить" and "Удалить". The
// meter keeps sixteen entries of each list, so "Добавить" goes grey at
// sixteen rows; "Удалить" is there for the rows the operator selected.

#include <QList>
#include <QObject>
#include <QStringList>

class QPushButton;
class QTreeWidget;

struct CalendarListNames {
    const char* view;
    const char* insert;
    const char* remove;
};

class CalendarList : public QObject {
public:
    // The view and both buttons; lives under the view.
    CalendarList(const CalendarListNames& names, const QStringList& headers, int capacity);

    // Refills the view only when the rows differ from those shown, so that
    // a change elsewhere in the calendar keeps the operator's selection.
    // A refill leaves nothing selected.
    void Show(const QList<QStringList>& rows);
    QList<qsizetype> SelectedRows() const;

    QTreeWidget* view;
    QPushButton* insert;
    QPushButton* remove;

private:
    void SelectItem();

    int capacity_;
    QList<QStringList> shown_;
};
