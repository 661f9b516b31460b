#include "window/schedule/calendar_page.h"

#include "schedule/schedule_document.h"
#include "window/controls/named.h"
#include "window/controls/tab_controls.h"
#include "window/schedule/holiday_group.h"
#include "window/schedule/transfer_group.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

namespace {

QGroupBox* Group(const char* name, const QString& caption)
{
    return Named(new QGroupBox(caption), name);
}

} // namespace

CalendarPage::CalendarPage(QWidget* page, ScheduleDocument& schedule, std::function<QDate()> today)
    : QObject(page)
    , schedule_(schedule)
    , SpinLimit(RangedSpin("SpinLimit", MinLimitCoefficient, MaxLimitCoefficient))
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

    // The text, not the value: a spin box keeps its last value while the
    // operator has emptied the field, and the schedule must see what the
    // field shows. The arrows, the wheel and setValue change the text
    // without a signal of the field's own, so the value's signal counts too.
    connect(SpinLimit->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, &CalendarPage::SpinLimitChange);
    connect(SpinLimit, &QSpinBox::valueChanged, this, &CalendarPage::SpinLimitChange);
    connect(&schedule_, &ScheduleDocument::CalendarChanged, this, &CalendarPage::ShowCalendar);
    ShowCalendar();
}

void CalendarPage::BtnTempletClick()
{
    holidays_->BtnTempletClick();
}

void CalendarPage::SpinLimitChange()
{
    const int typed = TypedCoefficient();
    if (typed != schedule_.Model().LimitCoefficient())
        schedule_.SetLimitCoefficient(typed);
}

// The coefficient is set only when the field reads otherwise, so that a
// change of the lists never disturbs a coefficient being typed.
void CalendarPage::ShowCalendar()
{
    holidays_->Refresh();
    transfers_->Refresh();
    const int coefficient = schedule_.Model().LimitCoefficient();
    if (TypedCoefficient() != coefficient)
        SpinLimit->setValue(coefficient);
}

int CalendarPage::TypedCoefficient() const
{
    bool number = false;
    const int typed = SpinLimit->cleanText().toInt(&number);
    return number ? std::clamp(typed, MinLimitCoefficient, MaxLimitCoefficient) : MinLimitCoefficient;
}
