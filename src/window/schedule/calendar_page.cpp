#include "window/schedule/calendar_page.h"

#include "schedule/schedule_document.h"
#include "window/controls/lower_bound_spin.h"
#include "window/controls/named.h"
#include "window/schedule/holiday_group.h"
#include "window/schedule/transfer_group.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {

QGroupBox* Group(const char* name, const QString& caption)
{
    return Named(new QGroupBox(caption), name);
}

} // namespace

CalendarPage::CalendarPage(QWidget* page, ScheduleDocument& schedule, std::function<QDate()> today)
    : QObject(page)
    , schedule_(schedule)
    , SpinLimit(new LowerBoundSpin("SpinLimit", MinLimitCoefficient, MaxLimitCoefficient))
{
    QGroupBox* GroupBox6 = Group("GroupBox6", QStringLiteral(" Праздники "));
    QGroupBox* GroupBox7 = Group("GroupBox7", QStringLiteral(" Переносы "));
    QGroupBox* GroupBox12 = Group("GroupBox12", QStringLiteral(" Коэффициент лимита тарифного расписания "));
    holidays_ = new HolidayGroup(GroupBox6, schedule);
    transfers_ = new TransferGroup(GroupBox7, schedule, std::move(today));

    auto* explanation = new QLabel(QStringLiteral("Лимит мощности определяется как значение поля лимита тарифного "
                                                  "расписания, умноженное на тысячу и деленное на коэффициент (Вт)"));
    explanation->setWordWrap(true);
    auto* coefficient = new QHBoxLayout(GroupBox12);
    coefficient->addWidget(explanation, 1);
    coefficient->addWidget(SpinLimit);

    auto* grid = new QGridLayout(page);
    grid->addWidget(GroupBox6, 0, 0);
    grid->addWidget(GroupBox7, 0, 1);
    grid->addWidget(GroupBox12, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    // The coefficient is taken when editing finishes (the field left, Enter,
    // the arrows), and before the schedule leaves for a file or the meter:
    // by then the field shows the value it stands for, and the schedule
    // takes exactly that.
    SpinLimit->setKeyboardTracking(false);
    connect(SpinLimit, &QSpinBox::valueChanged, this, &CalendarPage::SpinLimitChange);
    connect(&schedule_, &ScheduleDocument::EditingFinishWanted, SpinLimit, &QAbstractSpinBox::interpretText);
    connect(&schedule_, &ScheduleDocument::CalendarChanged, this, &CalendarPage::ShowCalendar);
    ShowCalendar();
}

void CalendarPage::BtnTempletClick()
{
    holidays_->BtnTempletClick();
}

void CalendarPage::SpinLimitChange(int coefficient)
{
    if (coefficient != schedule_.Model().LimitCoefficient())
        schedule_.SetLimitCoefficient(coefficient);
}

// The field is set only when the schedule's coefficient is not the one it
// last took, so that a change of the lists never disturbs a coefficient
// being typed.
void CalendarPage::ShowCalendar()
{
    holidays_->Refresh();
    transfers_->Refresh();
    const int coefficient = schedule_.Model().LimitCoefficient();
    if (SpinLimit->value() != coefficient)
        SpinLimit->setValue(coefficient);
}
