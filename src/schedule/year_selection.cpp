#include "schedule/year_selection.h"

#include "schedule/schedule_model.h"
#include "workstation/dialogs.h"

#include <algorithm>

YearSelection::YearSelection(ScheduleModel& model, Dialogs& dialogs)
    : model_(model),
      dialogs_(dialogs)
{
}

void YearSelection::MouseDown(std::optional<GridCell> pressed, bool leftButton, bool shift, bool ctrl)
{
    if (pressed)
        down_ = pressed;
    if (leftButton) {
        shift_ = shift;
        ctrl_ = ctrl;
    }
}

bool YearSelection::MouseUp(bool onDayCell, const std::function<void()>& beforeQuestion)
{
    if (!onDayCell || !down_)
        return false;
    const GridCell pressed = *down_;
    model_.SetDaysSelected(SelectionFor(pressed));
    if (!shift_ && !ctrl_)
        model_.SetCurrentCell(pressed.month, pressed.dayType);

    if (model_.ChangesPending()) {
        if (beforeQuestion)
            beforeQuestion();
        if (dialogs_.AskYesNo(QStringLiteral("Внимание"), QStringLiteral("Сохранить изменения?")))
            model_.Commit();
        else
            model_.Revert();
    }
    model_.EquivalentDays();
    model_.EditDays();
    return true;
}

YearMap<bool> YearSelection::SelectionFor(GridCell pressed) const
{
    const GridCell current{model_.CurMonth(), model_.CurDay()};
    YearMap<bool> selected(false);
    if ((!shift_ && !ctrl_) || pressed == current) {
        selected(pressed.month, pressed.dayType) = true;
    } else if (ctrl_) {
        selected = model_.DaysSelected();
        selected(pressed.month, pressed.dayType) = !selected(pressed.month, pressed.dayType);
    } else {
        const auto [firstMonth, lastMonth] = std::minmax(current.month, pressed.month);
        const auto [firstDay, lastDay] = std::minmax(current.dayType, pressed.dayType);
        for (int month = firstMonth; month <= lastMonth; ++month)
            for (int dayType = firstDay; dayType <= lastDay; ++dayType)
                selected(month, dayType) = true;
    }
    return selected;
}
