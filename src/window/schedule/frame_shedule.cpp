#include "window/schedule/frame_shedule.h"

#include "schedule/schedule_document.h"
#include "window/controls/named.h"
#include "window/schedule/day_panel.h"
#include "window/schedule/year_grid.h"

#include <QVBoxLayout>

namespace {

// As placed on the main window the year grid may shrink to this height;
// the day editor below needs at least its own.
constexpr int PanelYearMinHeight = 198;
constexpr int PanelDayMinHeight = 216;

} // namespace

TFrameShedule::TFrameShedule(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrameShedule"));
    setMinimumSize(MinWidth, MinHeight);

    auto* panelYear = Named(new QWidget, "PanelYear");
    panelYear->setMinimumHeight(PanelYearMinHeight);
    StringGrid1 = Named(new YearGrid(schedule.Model(), dialogs), "StringGrid1");
    auto* yearLayout = new QVBoxLayout(panelYear);
    yearLayout->setContentsMargins(0, 0, 0, 0);
    yearLayout->addWidget(StringGrid1);

    PanelDay = Named(new DayPanel(schedule.Model(), colors, dialogs), "PanelDay");
    PanelDay->setMinimumHeight(PanelDayMinHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panelYear, 1);
    column->addWidget(PanelDay, 0);

    connect(StringGrid1, &YearGrid::SelectionSettled, this, &TFrameShedule::ShowSchedule);
    connect(PanelDay, &DayPanel::YearMapChanged, StringGrid1, qOverload<>(&QWidget::update));
    connect(StringGrid1, &YearGrid::SelectionSettled, this, &TFrameShedule::Edited);
    connect(PanelDay, &DayPanel::YearMapChanged, this, &TFrameShedule::Edited);
    connect(&schedule, &ScheduleDocument::RecordsChanged, this, &TFrameShedule::ShowSchedule);
    connect(&schedule, &ScheduleDocument::Committed, this, [this] {
        PanelDay->ShowModelState();
        StringGrid1->update();
    });
    ShowSchedule();
}

void TFrameShedule::ShowSchedule()
{
    PanelDay->GetSheduleDay();
    PanelDay->DayChange();
    PanelDay->ShowModelState();
    StringGrid1->update();
}
