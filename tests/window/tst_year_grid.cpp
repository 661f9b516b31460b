// The year grid: its geometry and hit test, what a click with or without
// Shift and Ctrl selects and copies, the question about pending changes,
// and what the operator sees in the cells; edits of a crowded day settle at once.

#include "window/schedule/year_grid.h"

#include "form_fixture.h"
#include "recording_dialogs.h"
#include "schedule/schedule_bytes.h"
#include "schedule/schedule_records.h"
#include "schedule/tsc_file.h"

#include <QSignalSpy>
#include <QtTest>
#include <ctime>

namespace {

const QColor Grey(160, 160, 164);
const QColor LightYellow(255, 255, 230);
const QColor SkyBlue(166, 202, 240);
const QColor Yellow(255, 255, 0);
const QColor HeaderGrey(230, 230, 230);

// The frame's smallest year panel.
constexpr QSize PanelSize(572, 217);

using Cells = QList<Cell>;

// Profile A from midnight on Monday..Thursday and holidays of the first half
// year, profile B from midnight on Monday..Friday of the second half, a day
// starting at 06:00 on the weekends of the whole year, and a holiday profile
// of December; Fridays of the first half year and the other holidays are
// empty.
QList<AList> MixedSchedule()
{
    return {
        Zone("00:00", 1, Days({1, 2, 3, 4, 8}), Months(1, 6)),
        Zone("07:00", 2, Days({1, 2, 3, 4, 8}), Months(1, 6)),
        Zone("00:00", 3, Days({1, 2, 3, 4, 5}), Months(7, 12)),
        Zone("06:00", 4, Days({6, 7}), Months(1, 12)),
        Zone("00:00", 5, Days({8}), Month(12)),
    };
}

// A day of `zones` zones on (January, "ПН") alone, one record each, the
// other cells empty: with 256 the largest schedule the meter takes once it is
// copied to the whole year, one record a meter slot.
QList<AList> CrowdedDay(int zones)
{
    QList<AList> records;
    for (int k = 0; k < zones; ++k)
        records << AList{ZoneTimeText(k * MinutesPerDay / zones), quint8(k % 8 + 1), 0, quint8(k % 8 + 1), Days({1}),
            Month(1)};
    return records;
}

Cells Rectangle(Cell first, Cell last)
{
    Cells cells;
    for (int month = first.x(); month <= last.x(); ++month)
        for (int dayType = first.y(); dayType <= last.y(); ++dayType)
            cells << Cell(month, dayType);
    return cells;
}

Cells SelectedCells(const ScheduleModel& model)
{
    Cells cells;
    ForEachCell([&](int month, int dayType) {
        if (model.DaysSelected()(month, dayType))
            cells << Cell(month, dayType);
    });
    return cells;
}

Cell Current(const ScheduleModel& model)
{
    return Cell(model.CurMonth(), model.CurDay());
}

YearMap<QList<TZone>> Profiles(const ScheduleModel& model)
{
    YearMap<QList<TZone>> profiles;
    ForEachCell([&](int month, int dayType) { profiles(month, dayType) = model.Profile(month, dayType); });
    return profiles;
}

// Counts the grid's paints and keeps the selection the last one showed.
class PaintWatch : public QObject {
public:
    PaintWatch(QWidget& grid, const ScheduleModel& model)
        : model_(model)
    {
        grid.installEventFilter(this);
    }

    int paints = 0;
    YearMap<bool> shown{false};

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            shown = model_.DaysSelected();
        }
        return false;
    }

private:
    const ScheduleModel& model_;
};

// A shown grid of the year panel's size over a schedule of its own.
struct GridFixture {
    explicit GridFixture(QSize size = PanelSize)
    {
        dialogs.openMs = 10;
        grid.resize(size);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }

    QPoint Centre(int column, int row) const { return grid.Layout().CellRect(column, row).center(); }
    QPoint Centre(Cell cell) const { return Centre(cell.x(), cell.y()); }

    void Click(Cell cell, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mousePress(&grid, Qt::LeftButton, keys, Centre(cell));
        QTest::mouseRelease(&grid, Qt::LeftButton, keys, Centre(cell));
    }

    ScheduleModel model;
    RecordingDialogs dialogs;
    YearGrid grid{model, dialogs};
    QSignalSpy settled{&grid, &YearGrid::SelectionSettled};
};

enum class Scene { ShiftToDecemberFriday, ZoneEdit, ShiftOverWeekends };

// The mixed schedule after a Shift selection from (January, "ПН") to
// (December, "ПТ"), after a zone edit of (January, "ПН") with (February,
// "ПН") selected, or after a Shift selection from (March, "СБ") to (April,
// "ВС").
void Play(GridFixture& f, Scene scene)
{
    switch (scene) {
    case Scene::ShiftToDecemberFriday:
        Load(f.model, MixedSchedule(), Cell(1, 1));
        f.Click(Cell(12, 5), Qt::ShiftModifier);
        break;
    case Scene::ZoneEdit:
        Load(f.model, MixedSchedule(), Cell(1, 1), {Cell(2, 1)});
        f.model.InsertTZone(QStringLiteral("12:00"), 5, 0, 5);
        break;
    case Scene::ShiftOverWeekends:
        Load(f.model, MixedSchedule(), Cell(3, 6));
        f.Click(Cell(4, 7), Qt::ShiftModifier);
        break;
    }
}

// Drawn over a colour the grid never uses, so a pixel it leaves unpainted
// shows rather than keeping what was there before.
const QColor Unpainted(Qt::magenta);

QImage Rendered(QWidget& grid)
{
    QImage image(grid.size(), QImage::Format_RGB32);
    image.fill(Unpainted);
    grid.render(&image, {}, {}, QWidget::DrawChildren);
    return image;
}

bool Painted(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == Unpainted)
                return false;
    return true;
}

QColor Pixel(const QImage& image, QPoint point)
{
    return image.pixelColor(point);
}

// Well inside the cell, clear of its outline, its diagonal and its dot.
QPoint UpperLeft(const QRect& cell)
{
    return cell.topLeft() + QPoint(3, 3);
}

QPoint LowerRight(const QRect& cell)
{
    return cell.bottomRight() - QPoint(3, 3);
}

// True when no text reaches the pixel columns beside the cell's outline.
bool TextClearOfSides(const QImage& image, const QRect& cell)
{
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (const int x : {cell.left() + 1, cell.right() - 1})
            if (image.pixelColor(x, y) != HeaderGrey)
                return false;
    return true;
}

bool HasRedText(const QImage& image, const QRect& cell)
{
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x)
            if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() < 80 && c.blue() < 80)
                return true;
    return false;
}

} // namespace

Q_DECLARE_METATYPE(Scene)

class TestYearGrid : public QObject {
    Q_OBJECT
private slots:
    // Every pixel of the panel hits the cell whose rectangle holds it; the
    // header column and row, with their remainder strips, hit no day cell.
    void layout_data()
    {
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<int>("headerWidth");
        QTest::addColumn<int>("columnWidth");
        QTest::addColumn<int>("headerHeight");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("572 wide: thirteen equal columns") << QSize(572, 217) << 44 << 44 << 25 << 24;
        QTest::newRow("580 wide: the header column takes the remainder") << QSize(580, 217) << 52 << 44 << 25 << 24;
        QTest::newRow("main window") << QSize(600, 220) << 48 << 46 << 28 << 24;
        QTest::newRow("too small for a day cell") << QSize(12, 8) << 12 << 0 << 8 << 0;
    }
    void layout()
    {
        QFETCH(QSize, panel);
        QFETCH(int, headerWidth);
        QFETCH(int, columnWidth);
        QFETCH(int, headerHeight);
        QFETCH(int, rowHeight);
        GridFixture f(panel);
        const YearGridLayout& layout = f.grid.Layout();
        QCOMPARE(layout.Panel(), panel);
        QCOMPARE(f.grid.ColumnWidth(0), headerWidth);
        QCOMPARE(f.grid.RowHeight(0), headerHeight);
        for (int i = 1; i < YearGridColumns; ++i)
            QCOMPARE(f.grid.ColumnWidth(i), columnWidth);
        for (int i = 1; i < YearGridRows; ++i)
            QCOMPARE(f.grid.RowHeight(i), rowHeight);

        for (int row = 0; row < YearGridRows; ++row) {
            for (int column = 0; column < YearGridColumns; ++column) {
                const QRect rect = layout.CellRect(column, row);
                std::optional<GridCell> expected;
                if (row > 0 && column > 0)
                    expected = GridCell{column, row};
                for (int y = rect.top(); y <= rect.bottom(); ++y)
                    for (int x = rect.left(); x <= rect.right(); ++x)
                        if (layout.DayCellAt({x, y}) != expected)
                            QFAIL(qPrintable(QStringLiteral("(%1, %2) is not in cell %3, %4").arg(x).arg(y).arg(column).arg(row)));
            }
        }
        for (const QPoint outside : {QPoint(-1, 100), QPoint(panel.width(), 100), QPoint(100, panel.height()),
                 QPoint(100, -1)})
            QVERIFY(!layout.DayCellAt(outside));
    }

    // What a single click selects and copies when nothing is pending: every
    // selected cell ends with the current profile, the cells that did not
    // have it are marked changed, and every other cell keeps its zones.
    void release_data()
    {
        QTest::addColumn<Cell>("current");
        QTest::addColumn<Cells>("selectedBefore");
        QTest::addColumn<Cell>("pressed");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<Cell>("newCurrent");
        QTest::addColumn<Cells>("newSelection");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("plain click moves the current cell") << Cell(1, 1) << Cells{Cell(2, 1)} << Cell(3, 3) << none
                                                            << Cell(3, 3) << Cells{Cell(3, 3)};
        QTest::newRow("shift to the lower right") << Cell(1, 1) << Cells{} << Cell(12, 5) << shift << Cell(1, 1)
                                                  << Rectangle(Cell(1, 1), Cell(12, 5));
        QTest::newRow("shift to the upper left") << Cell(12, 5) << Cells{} << Cell(1, 1) << shift << Cell(12, 5)
                                                 << Rectangle(Cell(1, 1), Cell(12, 5));
        QTest::newRow("shift from an empty cell empties") << Cell(1, 5) << Cells{} << Cell(8, 5) << shift
                                                          << Cell(1, 5) << Rectangle(Cell(1, 5), Cell(8, 5));
        QTest::newRow("shift on the current cell") << Cell(1, 1) << Cells{Cell(2, 1), Cell(3, 1)} << Cell(1, 1)
                                                   << shift << Cell(1, 1) << Cells{Cell(1, 1)};
        QTest::newRow("ctrl removes a selected cell") << Cell(1, 1) << Cells{Cell(2, 1), Cell(3, 1)} << Cell(2, 1)
                                                      << ctrl << Cell(1, 1) << Cells{Cell(1, 1), Cell(3, 1)};
        QTest::newRow("ctrl adds a cell") << Cell(1, 1) << Cells{Cell(2, 1)} << Cell(8, 6) << ctrl << Cell(1, 1)
                                          << Cells{Cell(1, 1), Cell(2, 1), Cell(8, 6)};
        QTest::newRow("ctrl on the current cell") << Cell(1, 1) << Cells{Cell(2, 1), Cell(3, 1)} << Cell(1, 1)
                                                  << ctrl << Cell(1, 1) << Cells{Cell(1, 1)};
        QTest::newRow("ctrl wins over shift") << Cell(1, 1) << Cells{} << Cell(3, 3) << (shift | ctrl) << Cell(1, 1)
                                              << Cells{Cell(1, 1), Cell(3, 3)};
    }
    void release()
    {
        QFETCH(Cell, current);
        QFETCH(Cells, selectedBefore);
        QFETCH(Cell, pressed);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(Cell, newCurrent);
        QFETCH(Cells, newSelection);
        GridFixture f;
        Load(f.model, MixedSchedule(), current, selectedBefore);
        QVERIFY(!f.model.ChangesPending());
        const YearMap<QList<TZone>> before = Profiles(f.model);

        f.Click(pressed, keys);

        QVERIFY(f.dialogs.questions.isEmpty());
        QCOMPARE(f.settled.count(), 1);
        QCOMPARE(Current(f.model), newCurrent);
        QCOMPARE(SelectedCells(f.model), newSelection);
        const QList<TZone> profile = before(newCurrent.x(), newCurrent.y());
        bool anyChanged = false;
        ForEachCell([&](int month, int dayType) {
            const bool selected = newSelection.contains(Cell(month, dayType));
            const bool changed = selected && before(month, dayType) != profile;
            anyChanged = anyChanged || changed;
            const QString where = QStringLiteral("month %1, day type %2").arg(month).arg(dayType);
            QVERIFY2(f.model.Profile(month, dayType) == (selected ? profile : before(month, dayType)), qPrintable(where));
            QVERIFY2(f.model.DaysChanged()(month, dayType) == changed, qPrintable(where));
        });
        QCOMPARE(f.model.ChangesPending(), anyChanged);
    }

    // The fills, the dots and the split of a day that starts at 06:00.
    void cellColours_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::addColumn<Cell>("cell");
        QTest::addColumn<QColor>("upperLeft");
        QTest::addColumn<QColor>("centre");
        QTest::addColumn<QColor>("lowerRight");
        const QColor black(Qt::black);
        const QColor red(Qt::red);
        // The diagonal of a split cell runs through its centre.
        const QColor split;
        const Scene shift = Scene::ShiftToDecemberFriday;
        QTest::newRow("current cell") << shift << Cell(1, 1) << Yellow << black << Yellow;
        QTest::newRow("selected, had the profile") << shift << Cell(6, 4) << SkyBlue << black << SkyBlue;
        QTest::newRow("selected, overwritten") << shift << Cell(7, 1) << SkyBlue << red << SkyBlue;
        QTest::newRow("selected, was empty") << shift << Cell(3, 5) << SkyBlue << red << SkyBlue;
        QTest::newRow("not selected, the current profile") << shift << Cell(2, 8) << LightYellow << black << LightYellow;
        QTest::newRow("not selected, another profile") << shift << Cell(12, 8) << LightYellow << LightYellow << LightYellow;
        QTest::newRow("not selected, empty") << shift << Cell(9, 8) << Grey << Grey << Grey;
        QTest::newRow("not selected, from 06:00") << shift << Cell(3, 6) << Grey << split << LightYellow;
        // An edited current cell is both equivalent to itself and changed.
        QTest::newRow("current cell after a zone edit") << Scene::ZoneEdit << Cell(1, 1) << Yellow << red << Yellow;
        QTest::newRow("selected cell after a zone edit") << Scene::ZoneEdit << Cell(2, 1) << SkyBlue << red << SkyBlue;
        QTest::newRow("current cell from 06:00") << Scene::ShiftOverWeekends << Cell(3, 6) << Grey << split << Yellow;
        QTest::newRow("selected cell from 06:00") << Scene::ShiftOverWeekends << Cell(4, 7) << Grey << split << SkyBlue;
    }
    void cellColours()
    {
        QFETCH(Scene, scene);
        QFETCH(Cell, cell);
        QFETCH(QColor, upperLeft);
        QFETCH(QColor, centre);
        QFETCH(QColor, lowerRight);
        GridFixture f;
        Play(f, scene);
        const QImage image = Rendered(f.grid);
        QVERIFY(Painted(image));
        const QRect rect = f.grid.Layout().CellRect(cell.x(), cell.y());
        QCOMPARE(Pixel(image, UpperLeft(rect)), upperLeft);
        if (centre.isValid())
            QCOMPARE(Pixel(image, rect.center()), centre);
        QCOMPARE(Pixel(image, LowerRight(rect)), lowerRight);
        QCOMPARE(Pixel(image, rect.topLeft()), QColor(Qt::black));
        QCOMPARE(Pixel(image, rect.bottomRight()), QColor(Qt::black));
    }

    // Red names for the weekend and the holiday, black for the rest; at the
    // smallest panel every name stays whole inside its cell.
    void headers()
    {
        GridFixture f;
        const QImage image = Rendered(f.grid);
        const YearGridLayout& layout = f.grid.Layout();
        for (int row = 1; row < YearGridRows; ++row) {
            const QRect cell = layout.CellRect(0, row);
            QCOMPARE(Pixel(image, UpperLeft(cell)), HeaderGrey);
            QVERIFY2(HasRedText(image, cell) == (row >= 6), qPrintable(QString::number(row)));
            QVERIFY2(TextClearOfSides(image, cell), qPrintable(QString::number(row)));
        }
        for (int column = 0; column < YearGridColumns; ++column) {
            const QRect cell = layout.CellRect(column, 0);
            QCOMPARE(Pixel(image, UpperLeft(cell)), HeaderGrey);
            QVERIFY(!HasRedText(image, cell));
            QVERIFY2(TextClearOfSides(image, cell), qPrintable(QString::number(column)));
        }
    }

    // Pending edits of (January, "ПН") and (February, "ПН"): the grid shows
    // the new selection, asks, and commits or reverts before it copies.
    void pendingChanges_data()
    {
        QTest::addColumn<Cell>("pressed");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<Cells>("shownWhileAsking");
        QTest::addColumn<Cell>("newCurrent");
        QTest::addColumn<Cells>("newSelection");
        QTest::addColumn<bool>("pending");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QTest::newRow("plain click, no") << Cell(3, 3) << none << false << Cells{Cell(3, 3)} << Cell(3, 3)
                                         << Cells{Cell(3, 3)} << false;
        QTest::newRow("plain click, yes") << Cell(3, 3) << none << true << Cells{Cell(3, 3)} << Cell(3, 3)
                                          << Cells{Cell(3, 3)} << false;
        QTest::newRow("shift, no") << Cell(3, 2) << shift << false << Rectangle(Cell(1, 1), Cell(3, 2)) << Cell(1, 1)
                                   << Cells{Cell(1, 1)} << false;
        QTest::newRow("shift, yes") << Cell(3, 2) << shift << true << Rectangle(Cell(1, 1), Cell(3, 2)) << Cell(1, 1)
                                    << Rectangle(Cell(1, 1), Cell(3, 2)) << true;
    }
    void pendingChanges()
    {
        QFETCH(Cell, pressed);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(bool, yes);
        QFETCH(Cells, shownWhileAsking);
        QFETCH(Cell, newCurrent);
        QFETCH(Cells, newSelection);
        QFETCH(bool, pending);
        GridFixture f;
        Load(f.model, MixedSchedule(), Cell(1, 1), {Cell(2, 1)});
        f.model.InsertTZone(QStringLiteral("12:00"), 5, 0, 5);
        QVERIFY(f.model.ChangesPending());
        const QList<AList> committed = f.model.SavedList();
        const QList<AList> edited = f.model.WorkList();
        const QList<TZone> editedProfile = f.model.Profile(1, 1);
        QCoreApplication::processEvents();
        PaintWatch watch(f.grid, f.model);
        int paintsWhileAsking = 0;
        YearMap<bool> shown;
        f.dialogs.yes = yes;
        f.dialogs.onClose = [&] {
            paintsWhileAsking = watch.paints;
            shown = watch.shown;
        };

        f.Click(pressed, keys);

        QCOMPARE(f.dialogs.questions, QStringList{QStringLiteral("Внимание: Сохранить изменения?")});
        QVERIFY(paintsWhileAsking > 0);
        QVERIFY(shown == Selection(shownWhileAsking));
        QCOMPARE(f.settled.count(), 1);
        QCOMPARE(Current(f.model), newCurrent);
        QCOMPARE(SelectedCells(f.model), newSelection);
        QCOMPARE(f.model.ChangesPending(), pending);
        QCOMPARE(Describe(f.model.SavedList()), Describe(yes ? edited : committed));
        for (const Cell& cell : newSelection)
            QCOMPARE(f.model.Profile(cell.x(), cell.y()), f.model.Profile(newCurrent.x(), newCurrent.y()));
        QCOMPARE(f.model.Profile(1, 1) == editedProfile, yes);
    }

    // Every edit of the grid and the repaint that shows it stay far below a
    // second of processor time (the operator waits a tenth of one at most)
    // on a crowded day. A copy of such a day to the whole year makes tens of
    // thousands of records before they merge back into one a zone: merging
    // them pair by pair took seconds. Processor time, not the clock, so that
    // the machine's other work does not count.
    void crowdedDayEditsStayQuick_data()
    {
        QTest::addColumn<int>("zones");
        QTest::addColumn<Cell>("pressed");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<bool>("pendingFirst");
        QTest::addColumn<int>("recordsAfter");
        for (const int zones : {MeterRecordSlots, 600}) {
            const auto row = [&](const char* edit) -> QTestData& { return QTest::addRow("%d zones, %s", zones, edit); };
            row("plain click") << zones << Cell(12, 8) << Qt::KeyboardModifiers() << false << zones;
            row("ctrl click") << zones << Cell(12, 8) << Qt::KeyboardModifiers(Qt::ControlModifier) << false
                              << 2 * zones;
            row("shift over the whole year") << zones << Cell(12, 8) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                             << false << zones;
            row("click committing the whole year") << zones << Cell(2, 2) << Qt::KeyboardModifiers() << true
                                                   << zones;
        }
    }
    void crowdedDayEditsStayQuick()
    {
        QFETCH(int, zones);
        QFETCH(Cell, pressed);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(bool, pendingFirst);
        QFETCH(int, recordsAfter);
        GridFixture f;
        Load(f.model, CrowdedDay(zones), Cell(1, 1));
        if (pendingFirst) {
            f.Click(Cell(12, 8), Qt::ShiftModifier);
            f.dialogs.yes = true;
        }

        const std::clock_t start = std::clock();
        f.Click(pressed, keys);
        f.grid.repaint();
        const double seconds = double(std::clock() - start) / CLOCKS_PER_SEC;

        QVERIFY2(seconds < 1, qPrintable(QStringLiteral("%1 s").arg(seconds)));
        QCOMPARE(f.model.WorkList().size(), recordsAfter);
        const QList<TZone> current = f.model.Profile(f.model.CurMonth(), f.model.CurDay());
        for (const Cell& cell : SelectedCells(f.model))
            QCOMPARE(f.model.Profile(cell.x(), cell.y()), current);
    }

    void releaseWithoutDayCellPressIsIgnored()
    {
        GridFixture f;
        Load(f.model, MixedSchedule(), Cell(1, 1));
        QTest::mousePress(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(0, 3));
        QTest::mouseRelease(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(Cell(5, 5)));
        QCOMPARE(f.settled.count(), 0);
        QCOMPARE(Current(f.model), Cell(1, 1));
        QCOMPARE(SelectedCells(f.model), Cells{Cell(1, 1)});
    }

    // A release off the day cells does nothing; a later release after a
    // press on a header acts on the day cell pressed before.
    void releaseActsOnLastDayCellPress()
    {
        GridFixture f;
        Load(f.model, MixedSchedule(), Cell(1, 1));
        QTest::mousePress(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(Cell(3, 3)));
        QTest::mouseRelease(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(0, 3));
        QCOMPARE(f.settled.count(), 0);
        QCOMPARE(Current(f.model), Cell(1, 1));

        QTest::mousePress(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(4, 0));
        QTest::mouseRelease(&f.grid, Qt::LeftButton, Qt::NoModifier, f.Centre(Cell(5, 5)));
        QCOMPARE(f.settled.count(), 1);
        QCOMPARE(Current(f.model), Cell(3, 3));
        QCOMPARE(SelectedCells(f.model), Cells{Cell(3, 3)});
    }

    // Only the left button reads the keys: a right click after a Ctrl click
    // still toggles.
    void otherButtonsKeepTheKeys()
    {
        GridFixture f;
        Load(f.model, MixedSchedule(), Cell(1, 1));
        f.Click(Cell(2, 1), Qt::ControlModifier);
        QTest::mousePress(&f.grid, Qt::RightButton, Qt::NoModifier, f.Centre(Cell(3, 1)));
        QTest::mouseRelease(&f.grid, Qt::RightButton, Qt::NoModifier, f.Centre(Cell(3, 1)));
        QCOMPARE(f.settled.count(), 2);
        QCOMPARE(Current(f.model), Cell(1, 1));
        QCOMPARE(SelectedCells(f.model), (Cells{Cell(1, 1), Cell(2, 1), Cell(3, 1)}));
    }

    void screenshot_data()
    {
        QTest::addColumn<QSize>("panel");
        QTest::newRow("year_grid") << QSize(600, 220);
        QTest::newRow("year_grid_smallest") << QSize(572, 198);
    }
    void screenshot()
    {
        QFETCH(QSize, panel);
        GridFixture f(panel);
        Play(f, Scene::ShiftToDecemberFriday);
        SaveScreenshot(f.grid, QString::fromLatin1(QTest::currentDataTag()));
    }
};

QTEST_MAIN(TestYearGrid)
#include "tst_year_grid.moc"
