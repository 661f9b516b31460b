#include <QTest>

class TestYearGrid : public QObject {
    Q_OBJECT
};

QTEST_MAIN(TestYearGrid)
#include "tst_year_grid.moc"
