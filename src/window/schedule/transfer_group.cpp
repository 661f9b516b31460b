#include "window/schedule/transfer_group.h"

#include "schedule/calendar_edits.h"
#include "schedule/schedule_document.h"
#include "schedule/schedule_names.h"
#include "window/controls/named.h"
#include "window/controls/picker_sections.h"
#include "window/controls/tab_controls.h"
#include "window/schedule/calendar_list.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TransferGroup::TransferGroup(QGroupBox* group, ScheduleDocument& schedule, std::function<QDate()> today)
    : QObject(group)
    , DTPTrans(Named(new QDateEdit, "DTPTrans"))
    , ComboTrans(Named(new QComboBox, "ComboTrans"))
    , ListTransfer(new CalendarList({"ListTransfer", "BtnInsTrans", "BtnDelTrans"},
          {QStringLiteral("День"), QStringLiteral("По графику")}, MaxTransfers))
    , schedule_(schedule)
    , today_(std::move(today))
{
    DTPTrans->setCalendarPopup(true);
    SelectSectionOnClick(DTPTrans);
    // The transfer block keeps two digits of the year: nothing after 2099.
    DTPTrans->setDateRange(today_(), LatestTransferDate());
    DTPTrans->setDate(today_());
    for (int dayType = 1; dayType <= DayTypeCount; ++dayType)
        ComboTrans->addItem(DayTypeLongName(dayType));

    auto* dayType = new QHBoxLayout;
    dayType->addWidget(BuddyCaption(QStringLiteral("по графику:"), ComboTrans));
    dayType->addWidget(ComboTrans, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ListTransfer->insert);
    buttons->addWidget(ListTransfer->remove);
    auto* column = new QVBoxLayout(group);
    column->addWidget(DTPTrans);
    column->addLayout(dayType);
    column->addLayout(buttons);
    column->addWidget(ListTransfer->view, 1);

    connect(DTPTrans, &QDateEdit::dateChanged, this, &TransferGroup::DTPTransChange);
    connect(ListTransfer->insert, &QPushButton::clicked, this, &TransferGroup::BtnInsTransClick);
    connect(ListTransfer->remove, &QPushButton::clicked, this, &TransferGroup::BtnDelTransClick);
}

void TransferGroup::Refresh()
{
    QList<QStringList> rows;
    for (const Transfer& transfer : schedule_.Model().Transfers())
        rows.append({QLocale().toString(transfer.Date, QLocale::ShortFormat), DayTypeLongName(transfer.DayType)});
    ListTransfer->Show(rows);
}

// The earliest date of the picker is the day the page was built; a page
// left open over midnight would otherwise still offer yesterday.
void TransferGroup::DTPTransChange(QDate date)
{
    const QDate today = today_();
    if (date < today)
        DTPTrans->setDate(today);
}

void TransferGroup::BtnInsTransClick()
{
    schedule_.InsertTransfer({DTPTrans->date(), ComboTrans->currentIndex() + 1});
}

void TransferGroup::BtnDelTransClick()
{
    schedule_.RemoveTransfers(ListTransfer->SelectedRows());
}
