// The day-profile editor: when "Добавить" has work, how the time, the track
// bar and the list pick each other, what adding, changing and deleting a
// zone do to the list and the schedule, the pending state on "Сохранить"
// and "Отменить", the day bar, and the tariff colours with their store.

#include "window/schedule/day_panel.h"

#include "form_fixture.h"
#include "recording_dialogs.h"
#include "schedule/schedule_records.h"
#include "schedule/tariff_colors.h"
#include "window/schedule/zone_list_columns.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

constexpr int LastMinute = 1439;
const QColor BarGrey(128, 128, 128);

const Cell Monday(1, 1);
const Cell Saturday(1, 6);
const Cell Sunday(1, 7);

// Working days from midnight on tariff 1, from 07:00 on tariff 2 with a
// limit of 10 above which tariff 3 applies, from 22:00 on tariff 1 again;
// Mondays of January have a zone at 07:30 on tariff 4 with limit 20 and
// tariff 6 above it. Sundays start at 06:00 on tariff 4; Saturdays are
// empty.
QList<AList> WeekSchedule()
{
    const quint8 workdays = Days({1, 2, 3, 4, 5});
    return {
        Zone("00:00", 1, workdays, Months(1, 12)),
        LimitedZone("07:00", 2, 10, 3, workdays, Months(1, 12)),
        LimitedZone("07:30", 4, 20, 6, Days({1}), Month(1)),
        Zone("22:00", 1, workdays, Months(1, 12)),
        Zone("06:00", 4, Days({7}), Months(1, 12)),
    };
}

int Minute(const QString& time)
{
    return QTime::fromString(time, QStringLiteral("HH:mm")).msecsSinceStartOfDay() / 60000;
}

QString Text(const TZone& zone)
{
    return QStringLiteral("%1 %2 %3 %4").arg(zone.Time).arg(zone.Tariff).arg(zone.Limit).arg(zone.LimitTariff);
}

QStringList Texts(const QList<TZone>& zones)
{
    QStringList texts;
    for (const TZone& zone : zones)
        texts << Text(zone);
    return texts;
}

// Where the store lies: a file of its own, or below a file, where nothing
// can be written.
QString StorePath(const QTemporaryDir& dir, bool writable)
{
    if (writable)
        return dir.filePath(QStringLiteral("Schedule.ini"));
    QFile blocker(dir.filePath(QStringLiteral("blocker")));
    blocker.open(QIODevice::WriteOnly);
    return dir.filePath(QStringLiteral("blocker/Schedule.ini"));
}

QSettings* Remembering(QSettings& store, const QVariantMap& remembered)
{
    for (auto it = remembered.begin(); it != remembered.end(); ++it)
        store.setValue(it.key(), it.value());
    store.sync();
    return &store;
}

// A shown panel at the main window's font over the week schedule, listing
// the current cell as the frame does.
struct PanelFixture {
    explicit PanelFixture(Cell current = Monday, bool writableStore = true, const QVariantMap& remembered = {})
        : store(StorePath(dir, writableStore), QSettings::IniFormat)
        , colors(Remembering(store, remembered))
    {
        dialogs.openMs = 10;
        QFont font = panel.font();
        font.setPointSize(8);
        panel.setFont(font);
        // The bar is then 730 pixels wide: a division by 1440, or of one
        // pixel less, would put 07:00 a pixel to the left.
        panel.resize(742, 240);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        Load(model, WeekSchedule(), current);
        panel.GetSheduleDay();
        panel.DayChange();
        panel.ShowModelState();
    }

    template <typename Control>
    Control* Get(const char* name)
    {
        auto* control = Find<Control>(panel, name);
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    QRadioButton* Radio(const char* group, int tariff)
    {
        return Get<QRadioButton>(qPrintable(QLatin1String(group) + QString::number(tariff)));
    }
    QTreeWidget* List() { return Get<QTreeWidget>("ListViewDays"); }
    QAction* Edit() { return Get<QAction>("ActionEdit"); }
    QAction* Delete() { return Get<QAction>("ActionDelete"); }

    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = List()->topLevelItem(i);
            rows << QStringList{row->text(0), row->text(1), row->text(2), row->text(3)}.join(' ');
        }
        return rows;
    }
    QString SelectedTime()
    {
        const QList<QTreeWidgetItem*> selected = List()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text(0);
    }
    // What the fields show, as a row would.
    QString Fields()
    {
        const QString time = Get<QTimeEdit>("DateTimeZone")->time().toString(QStringLiteral("HH:mm"));
        return Text({time, quint8(Checked("Tariff")), quint8(Get<QSpinBox>("SpinLimit")->value()),
            quint8(Checked("TariffLimit"))});
    }
    int Checked(const char* group)
    {
        for (int tariff = 1; tariff <= 8; ++tariff)
            if (Radio(group, tariff)->isChecked())
                return tariff;
        return 0;
    }

    void MoveTrackBar(int minute) { Get<QSlider>("TrackBar1")->setValue(minute); }
    void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
    void RightClick(QWidget* control)
    {
        QTest::mouseClick(panel.windowHandle(), Qt::RightButton, {}, control->mapTo(&panel, control->rect().center()));
    }
    void Press(Qt::Key key)
    {
        List()->setFocus();
        QTest::keyClick(List(), key);
    }
    QColor BarPixel(int x, int y)
    {
        return Get<QWidget>("PaintBoxDay")->grab().toImage().pixelColor(x, y);
    }
    int BarX(int minute) { return Get<QWidget>("PaintBoxDay")->width() * minute / LastMinute; }
    QColor ButtonColor(QWidget* button) { return button->grab().toImage().pixelColor(1, 1); }

    // Operator steps, separated by spaces: "@07:30" moves the track bar to
    // a minute, "P12" sets the limit, "T5" and "L3" click a tariff and an
    // over-limit tariff.
    void Play(const QString& steps)
    {
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString value = step.mid(1);
            switch (step.at(0).toLatin1()) {
            case '@':
                MoveTrackBar(Minute(value));
                break;
            case 'P':
                Get<QSpinBox>("SpinLimit")->setValue(value.toInt());
                break;
            case 'T':
                Click(Radio("Tariff", value.toInt()));
                break;
            case 'L':
                Click(Radio("TariffLimit", value.toInt()));
                break;
            default:
                qFatal("unknown step %s", qPrintable(step));
            }
        }
    }

    QTemporaryDir dir;
    QSettings store;
    TariffColors colors;
    ScheduleModel model;
    RecordingDialogs dialogs;
    DayPanel panel{model, colors, dialogs};
    QSignalSpy yearMapChanged{&panel, &DayPanel::YearMapChanged};
};

// A Windows colour value (blue x 65536 + green x 256 + red) as drawn.
QColor Rgb(quint32 windowsColor)
{
    return QColor(int(windowsColor & 0xFF), int(windowsColor >> 8 & 0xFF), int(windowsColor >> 16 & 0xFF));
}

QColor Default(int tariff)
{
    return Rgb(DefaultTariffColor(tariff));
}

} // namespace

class TestDayPanel : public QObject {
    Q_OBJECT
private slots:
    // "Добавить" is there for an acceptable zone, one tariff without a limit
    // or two with one, that is not the selected row as it stands. Without a
    // limit the over-limit tariff follows the tariff.
    void addFollowsTheFields_data()
    {
        QTest::addColumn<Cell>("day");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("addEnabled");
        QTest::addColumn<int>("limitTariff");
        QTest::newRow("empty day at start") << Saturday << "" << true << 1;
        QTest::newRow("no limit: the over-limit tariff follows") << Saturday << "T5" << true << 5;
        QTest::newRow("no limit, another over-limit tariff") << Saturday << "T5 L3" << false << 3;
        QTest::newRow("limit, the same tariff twice") << Saturday << "P12 T5 L5" << false << 5;
        QTest::newRow("limit: the over-limit tariff stays") << Saturday << "P12 T5" << true << 1;
        QTest::newRow("limit, another over-limit tariff") << Saturday << "P12 T5 L3" << true << 3;
        QTest::newRow("limit taken away again") << Saturday << "P12 T5 L3 P0" << false << 3;
        QTest::newRow("largest limit") << Saturday << "P255 T8 L7" << true << 7;
        QTest::newRow("first row as listed") << Monday << "" << false << 1;
        QTest::newRow("row's own tariff clicked") << Monday << "@07:00 T2" << false << 3;
        QTest::newRow("row's own over-limit tariff clicked") << Monday << "@07:00 L3" << false << 3;
        QTest::newRow("row with another tariff") << Monday << "@07:00 T5" << true << 3;
        QTest::newRow("row with another over-limit tariff") << Monday << "@07:00 L5" << true << 5;
        QTest::newRow("row back to its own values") << Monday << "@07:00 L5 L3" << false << 3;
        QTest::newRow("row with another limit") << Monday << "@07:00 P11" << true << 3;
        QTest::newRow("row's limit taken from two tariffs") << Monday << "@07:00 L5 P0" << false << 5;
        QTest::newRow("a time without a row keeps the fields") << Monday << "@07:00 @07:15" << true << 3;
    }
    void addFollowsTheFields()
    {
        QFETCH(Cell, day);
        QFETCH(QString, steps);
        QFETCH(bool, addEnabled);
        QFETCH(int, limitTariff);
        PanelFixture f(day);
        f.Play(steps);
        QCOMPARE(f.Edit()->isEnabled(), addEnabled);
        QCOMPARE(f.Get<QToolButton>("BitBtnEdit")->isEnabled(), addEnabled);
        QCOMPARE(f.Checked("TariffLimit"), limitTariff);
    }

    // The track bar and the time picker show the same minute; a minute with
    // a zone selects its row and loads it into the fields, any other minute
    // leaves no row selected.
    void timePicksRow_data()
    {
        QTest::addColumn<bool>("byTrackBar");
        QTest::newRow("track bar") << true;
        QTest::newRow("time picker") << false;
    }
    void timePicksRow()
    {
        QFETCH(bool, byTrackBar);
        PanelFixture f;
        auto* picker = f.Get<QTimeEdit>("DateTimeZone");
        auto* track = f.Get<QSlider>("TrackBar1");
        const auto moveTo = [&](int minute) {
            if (byTrackBar)
                track->setValue(minute);
            else
                picker->setTime(QTime(minute / 60, minute % 60));
        };

        moveTo(7 * 60 + 30);
        QCOMPARE(track->value(), 450);
        QCOMPARE(f.SelectedTime(), QStringLiteral("07:30"));
        QCOMPARE(f.Fields(), QStringLiteral("07:30 4 20 6"));
        QVERIFY(f.Delete()->isEnabled());
        QVERIFY(!f.Edit()->isEnabled());

        moveTo(7 * 60 + 31);
        QCOMPARE(picker->time(), QTime(7, 31));
        QCOMPARE(track->value(), 451);
        QCOMPARE(f.SelectedTime(), QString());
        QCOMPARE(f.Fields(), QStringLiteral("07:31 4 20 6"));
        QVERIFY(!f.Delete()->isEnabled());
        QVERIFY(f.Edit()->isEnabled());
    }

    // A row the operator clicks loads its values whole: the fields the
    // panel sets on the way must not pick another row in between.
    void clickedRowLoadsFields_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("fields");
        QTest::newRow("limit of 20 after a zone without limit") << 2 << "07:30 4 20 6";
        QTest::newRow("last row") << 3 << "22:00 1 0 1";
    }
    void clickedRowLoadsFields()
    {
        QFETCH(int, row);
        QFETCH(QString, fields);
        PanelFixture f;
        QCOMPARE(f.SelectedTime(), QStringLiteral("00:00"));
        QTreeWidgetItem* item = f.List()->topLevelItem(row);
        QTest::mouseClick(f.List()->viewport(), Qt::LeftButton, {}, f.List()->visualItemRect(item).center());
        QCOMPARE(f.SelectedTime(), item->text(0));
        QCOMPARE(f.Fields(), fields);
        QCOMPARE(f.Get<QSlider>("TrackBar1")->value(), Minute(item->text(0)));
        QVERIFY(!f.Edit()->isEnabled());
        QVERIFY(f.Delete()->isEnabled());
    }

    // Insert adds a zone at a new time and changes the zone of a listed
    // time; list and schedule agree afterwards, and the grid is told.
    void editZone_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("selected");
        QTest::newRow("new time") << "@12:00 T5"
                                  << QStringList{"00:00 1 0 1", "07:00 2 10 3", "07:30 4 20 6", "12:00 5 0 5",
                                         "22:00 1 0 1"}
                                  << "12:00";
        QTest::newRow("listed time") << "@07:30 T3"
                                     << QStringList{"00:00 1 0 1", "07:00 2 10 3", "07:30 3 20 6", "22:00 1 0 1"}
                                     << "07:30";
        QTest::newRow("listed time, limit taken away") << "@07:00 P0 T6"
                                                       << QStringList{"00:00 1 0 1", "07:00 6 0 6", "07:30 4 20 6",
                                                              "22:00 1 0 1"}
                                                       << "07:00";
    }
    void editZone()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, rows);
        QFETCH(QString, selected);
        PanelFixture f;
        f.Play(steps);
        QVERIFY(f.Edit()->isEnabled());
        f.Press(Qt::Key_Insert);
        QCOMPARE(f.Rows(), rows);
        QCOMPARE(Texts(f.model.Profile(Monday.x(), Monday.y())), rows);
        QCOMPARE(f.SelectedTime(), selected);
        QVERIFY(!f.Edit()->isEnabled());
        QVERIFY(f.Delete()->isEnabled());
        QCOMPARE(f.yearMapChanged.count(), 1);
        // The other working days keep their profile.
        QCOMPARE(Texts(f.model.Profile(1, 2)), (QStringList{"00:00 1 0 1", "07:00 2 10 3", "22:00 1 0 1"}));
    }

    // Every zone edit leaves changes pending on both buttons and shows the
    // record count; "Отменить" brings back the committed profile and
    // "Сохранить" commits what is shown, both leaving nothing pending.
    void pendingEdits_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("commit");
        QTest::addColumn<QStringList>("rowsAfterEdit");
        const QStringList week{"00:00 1 0 1", "07:00 2 10 3", "07:30 4 20 6", "22:00 1 0 1"};
        const QStringList added{"00:00 1 0 1", "07:00 2 10 3", "07:30 4 20 6", "12:00 5 0 5", "22:00 1 0 1"};
        const QStringList changed{"00:00 1 0 1", "07:00 2 10 3", "07:30 3 20 6", "22:00 1 0 1"};
        const QStringList deleted{"00:00 1 0 1", "07:00 2 10 3", "22:00 1 0 1"};
        QTest::newRow("added, reverted") << "@12:00 T5" << Qt::Key_Insert << false << added;
        QTest::newRow("changed, reverted") << "@07:30 T3" << Qt::Key_Insert << false << changed;
        QTest::newRow("deleted, reverted") << "@07:30" << Qt::Key_Delete << false << deleted;
        QTest::newRow("added, saved") << "@12:00 T5" << Qt::Key_Insert << true << added;
        QTest::newRow("changed, saved") << "@07:30 T3" << Qt::Key_Insert << true << changed;
        QTest::newRow("deleted, saved") << "@07:30" << Qt::Key_Delete << true << deleted;
    }
    void pendingEdits()
    {
        QFETCH(QString, steps);
        QFETCH(Qt::Key, key);
        QFETCH(bool, commit);
        QFETCH(QStringList, rowsAfterEdit);
        PanelFixture f;
        auto* redo = f.Get<QToolButton>("BitBtnRedo");
        auto* undo = f.Get<QToolButton>("BitBtnUndo");
        QLabel* count = f.Get<QStatusBar>("StatusBar1")->findChild<QLabel*>();
        const QList<AList> committed = f.model.SavedList();
        QVERIFY(!redo->isEnabled());
        QVERIFY(!undo->isEnabled());
        QCOMPARE(count->text(), QString::number(committed.size()));

        f.Play(steps);
        f.Press(key);
        QCOMPARE(f.Rows(), rowsAfterEdit);
        QVERIFY(redo->isEnabled());
        QVERIFY(undo->isEnabled());
        QCOMPARE(count->text(), QString::number(f.model.WorkList().size()));
        const QList<AList> edited = f.model.WorkList();
        QVERIFY(edited != committed);

        f.Click(commit ? redo : undo);
        QVERIFY(!redo->isEnabled());
        QVERIFY(!undo->isEnabled());
        QVERIFY(!f.model.ChangesPending());
        QCOMPARE(f.yearMapChanged.count(), 2);
        if (commit) {
            QCOMPARE(f.model.SavedList(), edited);
            QCOMPARE(f.Rows(), rowsAfterEdit);
        } else {
            QCOMPARE(f.model.WorkList(), committed);
            QCOMPARE(f.Rows(), Texts(f.model.Profile(Monday.x(), Monday.y())));
            QCOMPARE(f.SelectedTime(), QStringLiteral("00:00"));
        }
        QCOMPARE(count->text(), QString::number(f.model.WorkList().size()));
    }

    // After a delete, by the key or the button, no row is selected: the
    // fields keep the deleted zone, so "Добавить" could bring it back, and
    // "Удалить" has nothing left to delete. Left to itself Qt selects a
    // neighbour, and the next press would delete that one too.
    void deleteLeavesNoRowSelected_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QStringList>("rows");
        const QStringList week{"00:00 1 0 1", "07:00 2 10 3", "07:30 4 20 6", "22:00 1 0 1"};
        for (const bool byKey : {true, false}) {
            const char* how = byKey ? "Delete key" : "button";
            QTest::addRow("first row, %s", how) << "00:00" << byKey << week.mid(1);
            QTest::addRow("middle row, %s", how) << "07:00" << byKey << QStringList{week[0], week[2], week[3]};
            QTest::addRow("last row, %s", how) << "22:00" << byKey << week.mid(0, 3);
        }
    }
    void deleteLeavesNoRowSelected()
    {
        QFETCH(QString, time);
        QFETCH(bool, byKey);
        QFETCH(QStringList, rows);
        PanelFixture f;
        f.MoveTrackBar(Minute(time));
        QCOMPARE(f.SelectedTime(), time);
        const QString deleted = f.Fields();
        const auto remove = [&] {
            if (byKey)
                f.Press(Qt::Key_Delete);
            else
                f.Click(f.Get<QToolButton>("BitBtnDelete"));
        };

        remove();
        QCOMPARE(f.Rows(), rows);
        QCOMPARE(f.SelectedTime(), QString());
        QCOMPARE(f.Fields(), deleted);
        QCOMPARE(f.Get<QSlider>("TrackBar1")->value(), Minute(time));
        QVERIFY(!f.Delete()->isEnabled());
        QVERIFY(!f.Get<QToolButton>("BitBtnDelete")->isEnabled());
        QVERIFY(f.Edit()->isEnabled());
        remove();
        QCOMPARE(f.Rows(), rows);
    }

    // An emptied limit field counts as no limit while it is typed in: for
    // "Добавить" and for the zone added. Once left, it shows 0.
    void emptiedLimitCountsAsNone_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("addEnabled");
        QTest::newRow("two tariffs want a limit") << "P12 T5 L3" << false;
        QTest::newRow("one tariff wants none") << "P12 T5 L5" << true;
    }
    void emptiedLimitCountsAsNone()
    {
        QFETCH(QString, steps);
        QFETCH(bool, addEnabled);
        PanelFixture f(Saturday);
        f.panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.panel));
        f.Play(steps);
        auto* spin = f.Get<QSpinBox>("SpinLimit");
        spin->setFocus();
        spin->selectAll();
        QTest::keyClick(spin, Qt::Key_Backspace);
        QCOMPARE(spin->text(), QString());
        QCOMPARE(f.Edit()->isEnabled(), addEnabled);

        f.Click(f.Get<QToolButton>("BitBtnEdit"));
        const QStringList added = addEnabled ? QStringList{"00:00 5 0 5"} : QStringList();
        QCOMPARE(f.Rows(), added);
        QCOMPARE(Texts(f.model.Profile(Saturday.x(), Saturday.y())), added);

        f.List()->setFocus();
        QVERIFY(!spin->hasFocus());
        QCOMPARE(spin->text(), QStringLiteral("0"));
        QCOMPARE(spin->value(), 0);
    }

    // Delete in the time picker edits the time; the zone stays.
    void deleteKeyInTimePickerKeepsZone()
    {
        PanelFixture f;
        auto* picker = f.Get<QTimeEdit>("DateTimeZone");
        picker->setFocus();
        const QStringList rows = f.Rows();
        QTest::keyClick(picker, Qt::Key_Delete);
        QCOMPARE(f.Rows(), rows);
        QVERIFY(!f.model.ChangesPending());
    }

    // The last zone of a day deleted leaves the day empty and the bar grey.
    void deletingLastZoneEmptiesDay()
    {
        PanelFixture f(Sunday);
        QCOMPARE(f.SelectedTime(), QStringLiteral("06:00"));
        f.Press(Qt::Key_Delete);
        QVERIFY(f.Rows().isEmpty());
        QVERIFY(f.model.Profile(Sunday.x(), Sunday.y()).isEmpty());
        QVERIFY(f.model.DaysEmpty()(Sunday.x(), Sunday.y()));
        QVERIFY(!f.Delete()->isEnabled());
        QVERIFY(f.Get<QToolButton>("BitBtnUndo")->isEnabled());
        const int lastX = f.Get<QWidget>("PaintBoxDay")->width() - 1;
        QCOMPARE(f.BarPixel(lastX, 18), BarGrey);
    }

    // Each zone shows from its start, at width x minutes div 1439, to the
    // next: the tariff below, the over-limit tariff above; before a day's
    // first zone the bar stays grey.
    void barShowsZones_data()
    {
        QTest::addColumn<Cell>("day");
        QTest::addColumn<int>("boundary");
        QTest::addColumn<QColor>("lowerBefore");
        QTest::addColumn<QColor>("upperBefore");
        QTest::addColumn<QColor>("lowerAfter");
        QTest::addColumn<QColor>("upperAfter");
        QTest::newRow("07:00 after midnight") << Monday << 420 << Default(1) << Default(1) << Default(2) << Default(3);
        QTest::newRow("first zone at 06:00") << Sunday << 360 << BarGrey << BarGrey << Default(4) << Default(4);
    }
    void barShowsZones()
    {
        QFETCH(Cell, day);
        QFETCH(int, boundary);
        QFETCH(QColor, lowerBefore);
        QFETCH(QColor, upperBefore);
        QFETCH(QColor, lowerAfter);
        QFETCH(QColor, upperAfter);
        PanelFixture f(day);
        const int x = f.BarX(boundary);
        QCOMPARE(f.Get<QWidget>("PaintBoxDay")->size(), QSize(730, 24));
        QCOMPARE(f.BarPixel(x - 1, 12), lowerBefore);
        QCOMPARE(f.BarPixel(x - 1, 23), lowerBefore);
        QCOMPARE(f.BarPixel(x - 1, 11), upperBefore);
        QCOMPARE(f.BarPixel(x - 1, 0), upperBefore);
        QCOMPARE(f.BarPixel(x, 12), lowerAfter);
        QCOMPARE(f.BarPixel(x, 11), upperAfter);
    }

    // A colour chosen on either button of a tariff shows on both buttons of
    // that tariff and in the bar, outlasts a repaint and goes to the store
    // with the seven others as shown; a store that cannot keep it leaves it
    // for the run. A cancelled choice changes nothing.
    void chosenColorShows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("writableStore");
        QTest::addColumn<bool>("answered");
        QTest::newRow("tariff button") << "Tariff3" << true << true;
        QTest::newRow("over-limit button") << "TariffLimit3" << true << true;
        QTest::newRow("store cannot be written") << "Tariff3" << false << true;
        QTest::newRow("cancelled") << "Tariff3" << true << false;
    }
    void chosenColorShows()
    {
        QFETCH(QString, button);
        QFETCH(bool, writableStore);
        QFETCH(bool, answered);
        PanelFixture f(Monday, writableStore);
        const quint32 chosen = WinColor(10, 200, 30);
        if (answered)
            f.dialogs.color = chosen;
        const QColor expected = answered ? Rgb(chosen) : Default(3);

        f.RightClick(f.Get<QRadioButton>(qPrintable(button)));
        QCOMPARE(f.dialogs.colorStarts, QList<quint32>{DefaultTariffColor(3)});
        const int x = f.BarX(420);
        for (int pass = 0; pass < 2; ++pass) {
            QCOMPARE(f.ButtonColor(f.Radio("Tariff", 3)), expected);
            QCOMPARE(f.ButtonColor(f.Radio("TariffLimit", 3)), expected);
            QCOMPARE(f.ButtonColor(f.Radio("Tariff", 4)), Default(4));
            QCOMPARE(f.BarPixel(x, 11), expected);
            QCOMPARE(f.BarPixel(x, 12), Default(2));
            f.panel.repaint();
        }

        QStringList stored;
        for (int tariff = 1; tariff <= 8; ++tariff)
            stored << f.store.value(QStringLiteral("Color%1").arg(tariff)).toString();
        QStringList shown;
        for (int tariff = 1; tariff <= 8; ++tariff)
            shown << QString::number(tariff == 3 && answered ? chosen : DefaultTariffColor(tariff));
        QCOMPARE(stored, answered && writableStore ? shown : QStringList(8, QString()));
    }

    // One remembered colour is enough for all eight to come from the store:
    // a tariff without a value is black. A value that is no colour counts
    // as none.
    void rememberedColorsAtStart_data()
    {
        QTest::addColumn<QVariantMap>("remembered");
        QTest::addColumn<QColor>("tariff1");
        QTest::addColumn<QColor>("tariff2");
        QTest::newRow("nothing") << QVariantMap() << Default(1) << Default(2);
        QTest::newRow("tariff 2 only") << QVariantMap{{"Color2", WinColor(0, 0, 255)}} << QColor(Qt::black)
                                       << QColor(Qt::blue);
        QTest::newRow("no colour") << QVariantMap{{"Color2", "blue"}} << Default(1) << Default(2);
    }
    void rememberedColorsAtStart()
    {
        QFETCH(QVariantMap, remembered);
        QFETCH(QColor, tariff1);
        QFETCH(QColor, tariff2);
        PanelFixture f(Monday, true, remembered);
        QCOMPARE(f.ButtonColor(f.Radio("Tariff", 1)), tariff1);
        QCOMPARE(f.ButtonColor(f.Radio("TariffLimit", 1)), tariff1);
        QCOMPARE(f.ButtonColor(f.Radio("Tariff", 2)), tariff2);
        QCOMPARE(f.ButtonColor(f.Radio("TariffLimit", 2)), tariff2);
        QCOMPARE(f.BarPixel(0, 12), tariff1);
        QCOMPARE(f.BarPixel(f.BarX(420), 12), tariff2);
    }

    // The zone list's columns fill its width: quarters while every caption
    // fits a quarter, else each column what its caption needs and an equal
    // share of the rest, and when even that is too wide, shares by need.
    void columnsShareTheWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("quarters") << 400 << QList<int>{100, 100, 100, 100};
        QTest::newRow("quarters, the rest to the last") << 403 << QList<int>{100, 100, 100, 103};
        QTest::newRow("a caption wider than a quarter") << 300 << QList<int>{57, 57, 77, 109};
        QTest::newRow("narrower than the captions") << 115 << QList<int>{20, 20, 30, 45};
        QTest::newRow("no room") << 0 << QList<int>{0, 0, 0, 0};
    }
    void columnsShareTheWidth()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, widths);
        QCOMPARE(ShareColumns(width, {40, 40, 60, 90}), widths);
    }

    // The panel as the operator sees it, in the main window and at the
    // frame's smallest size: several zones with over-limit tariffs of their
    // own, one colour chosen.
    void screenshot_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("name");
        QTest::newRow("main window") << QSize(753, 282) << "day_panel";
        QTest::newRow("narrowest main window") << QSize(618, 282) << "day_panel_narrow";
    }
    void screenshot()
    {
        QFETCH(QSize, size);
        QFETCH(QString, name);
        PanelFixture f;
        f.panel.resize(size);
        f.dialogs.color = WinColor(200, 60, 60);
        f.RightClick(f.Radio("Tariff", 6));
        f.MoveTrackBar(7 * 60 + 30);
        SaveScreenshot(f.panel, name);
    }
};

QTEST_MAIN(TestDayPanel)
#include "tst_day_panel.moc"
