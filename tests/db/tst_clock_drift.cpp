// The meter clock's daily drift: nothing before twelve hours have passed
// since the last programming, the mean of every reading after, in the
// workstation's decimal separator.

#include "db/clock_drift.h"

#include <QLocale>
#include <QTest>

namespace {

const QDateTime Programmed(QDate(2026, 12, 1), QTime(9, 0));

} // namespace

class TestClockDrift : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void firstReading_data()
    {
        QTest::addColumn<qint64>("sinceProgrammedSecs");
        QTest::addColumn<qint64>("aheadMs");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::newRow("11 hours: too soon") << 11 * 3600LL << 1000LL << "ru_RU" << "";
        QTest::newRow("exactly 12 hours: too soon") << 12 * 3600LL << 1000LL << "ru_RU" << "";
        QTest::newRow("13 hours") << 13 * 3600LL << 0LL << "ru_RU" << "0,00";
        QTest::newRow("2 s ahead in two days, comma") << 2 * 86400LL << 2000LL << "ru_RU" << "1,00";
        QTest::newRow("2 s ahead in two days, point") << 2 * 86400LL << 2000LL << "en_US" << "1.00";
        QTest::newRow("behind") << 4 * 86400LL << -3000LL << "en_US" << "-0.75";
        QTest::newRow("more than five digits") << 86400LL << 123456000LL << "en_US" << "1.2346E+05";
    }
    void firstReading()
    {
        QFETCH(qint64, sinceProgrammedSecs);
        QFETCH(qint64, aheadMs);
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        ClockDrift drift;
        drift.SetLastProgrammed(Programmed);
        const QDateTime now = Programmed.addSecs(sinceProgrammedSecs);
        QCOMPARE(drift.ClockReading(now.addMSecs(aheadMs), now), shown);
        QCOMPARE(drift.DriftCount(), shown.isEmpty() ? 0 : 1);
    }

    void meanOfReadingsUntilReset()
    {
        ClockDrift drift;
        QVERIFY(drift.ClockReading(Programmed, Programmed.addDays(3)).isEmpty());
        drift.SetLastProgrammed(Programmed);
        const QDateTime now = Programmed.addDays(2);
        QCOMPARE(drift.ClockReading(now.addSecs(2), now), QStringLiteral("1.00"));
        QCOMPARE(drift.ClockReading(now.addSecs(4), now), QStringLiteral("1.50"));
        drift.Reset();
        QVERIFY(!drift.LastProgrammed().isValid());
        QCOMPARE(drift.DriftSum(), 0.0);
        QVERIFY(drift.ClockReading(now.addSecs(4), now).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClockDrift)
#include "tst_clock_drift.moc"
