#pragma once
// What the mouse does on the year grid: a plain click moves the current
// cell, Shift selects the rectangle from the current cell to the pressed
// one, Ctrl toggles the pressed cell. Every settled selection copies the
// current profile onto the selected cells as a pending change, after the
// question whether earlier pending changes are kept.

#include "schedule/year_grid_layout.h"
#include "schedule/year_map.h"

#include <functional>
#include <optional>

class Dialogs;
class ScheduleModel;

class YearSelection {
public:
    YearSelection(ScheduleModel& model, Dialogs& dialogs);

    // The cell under the press, if it is a day cell; the keys count only
    // for the left button.
    void MouseDown(std::optional<GridCell> pressed, bool leftButton, bool shift, bool ctrl);
    // Acts on the cell of the last press on a day cell. False when the
    // release is off the day cells or no day cell was pressed yet: nothing
    // changed. `beforeQuestion` runs before "Сохранить изменения?" is asked,
    // so that the grid shows the selection the question is about.
    bool MouseUp(bool onDayCell, const std::function<void()>& beforeQuestion = {});

private:
    YearMap<bool> SelectionFor(GridCell pressed) const;

    ScheduleModel& model_;
    Dialogs& dialogs_;
    std::optional<GridCell> down_;
    bool shift_ = false;
    bool ctrl_ = false;
};
