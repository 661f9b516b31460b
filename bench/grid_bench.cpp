// The year grid's edits through its own mouse handling, each with the
// repaint that shows it, beside a repaint of the grid alone: a plain click,
// a Ctrl click, a Shift selection of the whole year with the copy of the
// current profile it makes, and a click that commits pending changes when
// asked. On 256 records spread two or three zones a day over all 96 cells;
// on the largest schedule the meter takes, a 256-zone day of one-cell
// records, which the Shift selection copies to the whole year (256 records
// again once merged, one a meter slot); and on what only a file may hold: a
// 600-zone day, a day of a zone every minute, and every cell such a day.
// Prints the best of a few runs of each, in milliseconds and as a multiple
// of the repaint. A figure, never a verdict: nothing here fails on a time.

#include "bench_dialogs.h"
#include "bench_timing.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_model.h"
#include "schedule/tsc_file.h"
#include "window/schedule/year_grid.h"

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>

namespace {

constexpr int Repeats = 5;
constexpr int Cells = MonthCount * DayTypeCount;
// The year grid as the main window shows it.
constexpr QSize GridSize(600, 220);
constexpr GridCell FirstCell{1, 1};
constexpr GridCell LastCell{MonthCount, DayTypeCount};

// Record k is a zone of cell k % 96, every eighth hour of the day. Each
// cell's zones carry the cell's number as their power limit, so no two cells
// share a profile and the copy overwrites every cell but the current one.
QList<AList> SpreadSchedule()
{
    QList<AList> records;
    for (int k = 0; k < MeterRecordSlots; ++k) {
        const int cell = k % Cells;
        const quint8 tariff = quint8(k % 8 + 1);
        const quint8 limitTariff = cell == 0 ? tariff : quint8(tariff % 8 + 1);
        records << AList{ZoneTimeText(k / Cells * 8 * 60), tariff, quint8(cell), limitTariff,
            quint8(GetMaska(cell % DayTypeCount + 1)), GetMaska(cell / DayTypeCount + 1)};
    }
    return records;
}

// `zones` zones on (January, "ПН") alone, one record each, evenly over the
// day, the other cells empty.
QList<AList> DaySchedule(int zones)
{
    QList<AList> records;
    for (int k = 0; k < zones; ++k) {
        const quint8 tariff = quint8(k % 8 + 1);
        records << AList{ZoneTimeText(k * MinutesPerDay / zones), tariff, 0, tariff, quint8(GetMaska(FirstCell.dayType)),
            GetMaska(FirstCell.month)};
    }
    return records;
}

// A zone every minute on every cell, the most a tsc file may hold; the
// cells' tariffs run in different orders, so no two cells share a profile.
QList<AList> FullestSchedule()
{
    QList<AList> records;
    for (int cell = 0; cell < Cells; ++cell) {
        for (int minute = 0; minute < MinutesPerDay; ++minute) {
            const quint8 tariff = quint8((cell + minute) % 8 + 1);
            records << AList{ZoneTimeText(minute), tariff, 0, tariff, quint8(GetMaska(cell % DayTypeCount + 1)),
                GetMaska(cell / DayTypeCount + 1)};
        }
    }
    return records;
}

struct Schedule {
    const char* name;
    QList<AList> records;
};

// An edit as the operator makes it, after the schedule was loaded with
// nothing pending and only (January, "ПН") selected. With `pendingFirst`
// a Shift selection of the whole year leaves changes pending before the
// timed click, whose question is answered "Да".
struct Edit {
    const char* name;
    GridCell cell;
    Qt::KeyboardModifiers keys;
    bool pendingFirst;
};

const Edit Edits[] = {
    {"plain click on (ДЕК, ПР)", LastCell, Qt::NoModifier, false},
    {"ctrl click on (ДЕК, ПР), copy", LastCell, Qt::ControlModifier, false},
    {"shift to (ДЕК, ПР), copy to the year", LastCell, Qt::ShiftModifier, false},
    {"click on (ФЕВ, ВТ) committing the year", GridCell{2, 2}, Qt::NoModifier, true},
};

// "Сохранить изменения?" is part of the commit being timed: answered "Да"
// in silence.
class AgreeingDialogs : public BenchDialogs {
public:
    bool AskYesNo(const QString&, const QString&) override { return true; }
};

void SendMouse(YearGrid& grid, QEvent::Type type, GridCell cell, Qt::KeyboardModifiers keys)
{
    const QPointF point = grid.Layout().CellRect(cell.month, cell.dayType).center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, point, grid.mapToGlobal(point), Qt::LeftButton, held, keys);
    QApplication::sendEvent(&grid, &event);
}

void Click(YearGrid& grid, GridCell cell, Qt::KeyboardModifiers keys)
{
    SendMouse(grid, QEvent::MouseButtonPress, cell, keys);
    SendMouse(grid, QEvent::MouseButtonRelease, cell, keys);
}

class Bench {
public:
    Bench()
    {
        grid_.resize(GridSize);
        grid_.show();
        QApplication::processEvents();
    }

    void Run(const Schedule& schedule)
    {
        Load(schedule.records);
        const double repaint = BestMs(Repeats, [] {}, [&] { grid_.repaint(); });
        std::printf("\n%s: %lld records\n", schedule.name, qlonglong(schedule.records.size()));
        std::printf("  %10.3f ms                repaint alone\n", repaint);
        for (const Edit& edit : Edits) {
            const double ms = BestMs(
                Repeats,
                [&] {
                    Load(schedule.records);
                    if (edit.pendingFirst)
                        Click(grid_, LastCell, Qt::ShiftModifier);
                },
                [&] {
                    Click(grid_, edit.cell, edit.keys);
                    grid_.repaint();
                });
            std::printf("  %10.3f ms %9.1f x repaint  %s, %lld records after\n", ms, repaint > 0 ? ms / repaint : 0.0,
                edit.name, qlonglong(model_.WorkList().size()));
        }
    }

private:
    // Nothing pending and only (January, "ПН") selected, as after a load.
    void Load(const QList<AList>& records)
    {
        model_.SetSavedList(records);
        model_.SetCurrentCell(FirstCell.month, FirstCell.dayType);
        model_.Revert();
        QApplication::processEvents();
    }

    AgreeingDialogs dialogs_;
    ScheduleModel model_;
    YearGrid grid_{model_, dialogs_};
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("year grid %dx%d, best of %d runs of each edit and its repaint\n", GridSize.width(),
        GridSize.height(), Repeats);
    Bench bench;
    bench.Run({"two or three zones a day on all 96 cells", SpreadSchedule()});
    bench.Run({"a 256-zone day, the largest the meter takes", DaySchedule(MeterRecordSlots)});
    bench.Run({"a 600-zone day, as a file may hold it", DaySchedule(600)});
    bench.Run({"a zone every minute of a day, as a file may hold it", DaySchedule(MinutesPerDay)});
    bench.Run({"a zone every minute of every cell, the fullest file", FullestSchedule()});
    return 0;
}
