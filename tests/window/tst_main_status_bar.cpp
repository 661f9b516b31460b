// The status bar's two panels change text with every request sent: a new
// text repaints its panel and lays nothing out again, and the panels sit
// exactly where labels free to grow in height would while showing text,
// in any font.

#include "window/main/main_status_bar.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTest>
#include <array>

namespace {

constexpr QSize WindowSize(632, 200);

QFont FontOf(int points)
{
    QFont font = QApplication::font();
    font.setPointSize(points);
    return font;
}

// The station's bar, in a window of the given font.
struct StationBar {
    QMainWindow window;
    MainStatusBar bar;

    explicit StationBar(int points)
    {
        window.setFont(FontOf(points));
        bar = MainStatusBar::Create(window);
        window.setCentralWidget(new QWidget);
        window.resize(WindowSize);
    }
};

// What Qt makes of the same panels showing text when only their width is
// fixed.
struct FreeBar {
    QMainWindow window;
    std::array<QLabel*, 2> labels{};

    FreeBar(int points, const MainStatusBar& like)
    {
        window.setFont(FontOf(points));
        window.statusBar()->setSizeGripEnabled(false);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            labels[i] = new QLabel(QStringLiteral("1234"));
            labels[i]->setFixedWidth(like.panels[i]->width());
            window.statusBar()->addWidget(labels[i]);
        }
        window.setCentralWidget(new QWidget);
        window.resize(WindowSize);
    }
};

void ShowAndSettle(QMainWindow& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
}

class EventCount : public QObject {
public:
    EventCount(QEvent::Type type, const QList<QObject*>& watched) : type_(type)
    {
        for (QObject* object : watched)
            object->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == type_)
            ++count;
        return false;
    }

    int count = 0;

private:
    QEvent::Type type_;
};

} // namespace

class TestMainStatusBar : public QObject {
    Q_OBJECT

private slots:
    void panelsSitWhereFreeLabelsWould_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("laterPoints");
        QTest::addColumn<QString>("text");

        QTest::newRow("8 pt, empty") << 8 << 0 << "";
        // A font whose empty labels are a pixel lower than their text.
        QTest::newRow("10 pt, empty") << 10 << 0 << "";
        QTest::newRow("8 pt, a request") << 8 << 0 << "Чтение текущих показаний";
        QTest::newRow("16 pt") << 16 << 0 << "1234";
        QTest::newRow("8 pt, then 16 pt") << 8 << 16 << "1234";
        QTest::newRow("16 pt, then 6 pt") << 16 << 6 << "1234";
        QTest::newRow("10 pt, then 14 pt, empty") << 10 << 14 << "";
    }

    void panelsSitWhereFreeLabelsWould()
    {
        QFETCH(int, points);
        QFETCH(int, laterPoints);
        QFETCH(QString, text);

        StationBar station(points);
        for (QLabel* panel : station.bar.panels)
            panel->setText(text);
        ShowAndSettle(station.window);
        FreeBar free(points, station.bar);
        ShowAndSettle(free.window);
        if (laterPoints > 0) {
            station.window.setFont(FontOf(laterPoints));
            free.window.setFont(FontOf(laterPoints));
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }

        QCOMPARE(station.window.statusBar()->geometry(), free.window.statusBar()->geometry());
        for (std::size_t i = 0; i < free.labels.size(); ++i)
            QCOMPARE(station.bar.panels[i]->geometry(), free.labels[i]->geometry());
    }

    void newTextLaysNothingOut_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("text");

        QTest::newRow("requests sent") << 0 << "18";
        QTest::newRow("request in flight") << 1 << "Чтение даты и времени";
        QTest::newRow("emptied") << 1 << "";
        QTest::newRow("wider than the panel") << 0 << QString(200, QLatin1Char('8'));
    }

    void newTextLaysNothingOut()
    {
        QFETCH(int, panel);
        QFETCH(QString, text);

        StationBar station(8);
        QLabel* label = station.bar.panels[panel];
        label->setText(QStringLiteral("17"));
        ShowAndSettle(station.window);
        const QRect before = label->geometry();
        QStatusBar* bar = station.window.statusBar();
        const EventCount layouts(QEvent::LayoutRequest, {&station.window, bar, label});
        const EventCount paints(QEvent::Paint, {label});

        label->setText(text);
        QTRY_VERIFY(paints.count > 0);

        QCOMPARE(layouts.count, 0);
        QCOMPARE(label->geometry(), before);
        QCOMPARE(label->text(), text);
    }
};

QTEST_MAIN(TestMainStatusBar)
#include "tst_main_status_bar.moc"
