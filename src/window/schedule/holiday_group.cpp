#include "window/schedule/holiday_group.h"

#include "schedule/calendar_edits.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_names.h"
#include "window/controls/named.h"
#include "window/controls/tab_controls.h"
#include "window/schedule/calendar_list.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

HolidayGroup::HolidayGroup(QGroupBox* group, ScheduleDocument& schedule)
    : QObject(group)
    , ComboM(Named(new QComboBox, "ComboM"))
    , SpinD(RangedSpin("SpinD", 1, MonthDayBound(1)))
    , BtnTemplet(Named(new QPushButton(QStringLiteral("Праздники по умолчанию")), "BtnTemplet"))
    , ListCel(new CalendarList({"ListCel", "BtnInsCel", "BtnDelCel"},
          {QStringLiteral("Месяц"), QStringLiteral("День")}, MaxHolidays))
    , schedule_(schedule)
{
    for (int month = 1; month <= MonthCount; ++month)
        ComboM->addItem(MonthLongName(month));

    auto* date = new QHBoxLayout;
    date->addWidget(BuddyCaption(QStringLiteral("месяц:"), ComboM));
    date->addWidget(ComboM, 1);
    date->addWidget(BuddyCaption(QStringLiteral("день:"), SpinD));
    date->addWidget(SpinD);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ListCel->insert);
    buttons->addWidget(ListCel->remove);
    auto* column = new QVBoxLayout(group);
    column->addLayout(date);
    column->addLayout(buttons);
    column->addWidget(BtnTemplet);
    column->addWidget(ListCel->view, 1);

    connect(ComboM, &QComboBox::currentIndexChanged, this, &HolidayGroup::ComboMChange);
    connect(ListCel->insert, &QPushButton::clicked, this, &HolidayGroup::BtnInsCelClick);
    connect(ListCel->remove, &QPushButton::clicked, this, &HolidayGroup::BtnDelCelClick);
    connect(BtnTemplet, &QPushButton::clicked, this, &HolidayGroup::BtnTempletClick);
}

void HolidayGroup::BtnTempletClick()
{
    schedule_.SetCalendar(DefaultHolidays(), schedule_.Model().Transfers());
}

void HolidayGroup::Refresh()
{
    QList<QStringList> rows;
    for (const Holiday& holiday : schedule_.Model().Holidays())
        rows.append({MonthLongName(holiday.Month), QString::number(holiday.Day)});
    ListCel->Show(rows);
}

// The day follows the month down as well as up, so that a date the month
// does not have (31 April) cannot be chosen at all.
void HolidayGroup::ComboMChange(int index)
{
    SpinD->setMaximum(MonthDayBound(index + 1));
}

void HolidayGroup::BtnInsCelClick()
{
    schedule_.InsertHoliday({ComboM->currentIndex() + 1, SpinD->value()});
}

void HolidayGroup::BtnDelCelClick()
{
    schedule_.RemoveHolidays(ListCel->SelectedRows());
}
