#include <QTest>

class TestDayPanel : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestDayPanel)
#include "tst_day_panel.moc"
