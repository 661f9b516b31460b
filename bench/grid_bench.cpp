// The year grid over the largest schedule a meter holds, 256 records on all
// 96 cells: a Shift selection of the whole year through the grid's own mouse
// handling, with the copy of the current profile it makes and the repaint
// that shows it, beside a repaint of the grid alone. Prints the best of a
// few runs of each. A figure, never a verdict: nothing here fails on a time.

#include "bench_dialogs.h"
#include "bench_timing.h"
#include "schedule/schedule_model.h"
#include "window/schedule/year_grid.h"

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>

namespace {

constexpr int Records = 256;
constexpr int Repeats = 5;
constexpr int Cells = MonthCount * DayTypeCount;
// The year grid as the main window shows it.
constexpr QSize GridSize(600, 220);

// Record k is a zone of cell k % 96, every eighth hour of the day. Each
// cell's zones carry the cell's number as their power limit, so no two cells
// share a profile and the copy overwrites every cell but the current one.
QList<AList> Schedule()
{
    QList<AList> records;
    for (int k = 0; k < Records; ++k) {
        const int cell = k % Cells;
        const quint8 tariff = quint8(k % 8 + 1);
        const quint8 limitTariff = cell == 0 ? tariff : quint8(tariff % 8 + 1);
        records << AList{QStringLiteral("%1:00").arg(k / Cells * 8, 2, 10, QLatin1Char('0')), tariff, quint8(cell),
            limitTariff, quint8(GetMaska(cell % DayTypeCount + 1)), GetMaska(cell / DayTypeCount + 1)};
    }
    return records;
}

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


int CountCells(const YearMap<bool>& map)
{
    int count = 0;
    ForEachCell([&](int month, int dayType) { count += map(month, dayType) ? 1 : 0; });
    return count;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchDialogs dialogs;
    ScheduleModel model;
    YearGrid grid(model, dialogs);
    grid.resize(GridSize);
    grid.show();
    QApplication::processEvents();

    const QList<AList> records = Schedule();
    // Nothing pending and only (January, "ПН") selected, as after a load.
    const auto load = [&] {
        model.SetSavedList(records);
        model.SetCurrentCell(1, 1);
        model.Revert();
        QApplication::processEvents();
    };
    const auto shift = [&] { Click(grid, GridCell{MonthCount, DayTypeCount}, Qt::ShiftModifier); };

    const double select = BestMs(Repeats, load, shift);
    const double edit = BestMs(Repeats, load, [&] {
        shift();
        grid.repaint();
    });
    const double repaint = BestMs(Repeats, [] {}, [&] { grid.repaint(); });

    std::printf("year grid %dx%d, %d records, best of %d\n", GridSize.width(), GridSize.height(), Records, Repeats);
    std::printf("cells overwritten by the copy: %d, records after it: %lld\n", CountCells(model.DaysChanged()),
        qlonglong(model.WorkList().size()));
    std::printf("shift selection of all %d cells with its copy, ms: %.3f\n", Cells, select);
    std::printf("shift selection, copy and repaint, ms: %.3f\n", edit);
    std::printf("repaint alone, ms: %.3f\n", repaint);
    std::printf("selection, copy and repaint / repaint alone: %.1f\n", repaint > 0 ? edit / repaint : 0.0);
    return 0;
}
