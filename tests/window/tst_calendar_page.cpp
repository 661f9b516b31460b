#include <QTest>

class TestCalendarPage : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestCalendarPage)
#include "tst_calendar_page.moc"
