// The meter's real and operating time, and the texts shown in the
// workstation's formats, under locales with a decimal comma and a point.

#include "meter/value_formats.h"

#include <QLocale>
#include <QtTest>

class TestValueFormats : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void decodeMeterReal_data()
    {
        QTest::addColumn<quint32>("word");
        QTest::addColumn<double>("value");
        QTest::newRow("0x80000000") << 0x80000000u << 2.0;
        QTest::newRow("0x7F000000") << 0x7F000000u << 1.0;
        QTest::newRow("0x7F800000") << 0x7F800000u << -1.0;
        QTest::newRow("0x85480000") << 0x85480000u << 100.0;
        QTest::newRow("0") << 0u << 0.0;
        QTest::newRow("smallest exponent") << 0x00400000u << std::ldexp(1.5, -127);
    }
    void decodeMeterReal()
    {
        QFETCH(quint32, word);
        QFETCH(double, value);
        QCOMPARE(DecodeMeterReal(word), value);
    }

    void formatOperatingTime_data()
    {
        QTest::addColumn<quint32>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0u << "00:00:00";
        QTest::newRow("3725") << 3725u << "01:02:05";
        QTest::newRow("a second short of a day") << 86399u << "23:59:59";
        QTest::newRow("one day") << 86400u << "1д.00:00:00";
        QTest::newRow("90061") << 90061u << "1д.01:01:01";
        QTest::newRow("largest") << 0xFFFFFFFFu << "49710д.06:28:15";
    }
    void formatOperatingTime()
    {
        QFETCH(quint32, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatOperatingTime(seconds), text);
    }

    void realText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("comma: 12345.6789") << "ru_RU" << 12345.6789 << "12345,679";
        QTest::newRow("point: 12345.6789") << "en_US" << 12345.6789 << "12345.679";
        QTest::newRow("comma: 1234567.891, no grouping") << "ru_RU" << 1234567.891 << "1234567,900";
        QTest::newRow("point: 1234567.891, no grouping") << "en_US" << 1234567.891 << "1234567.900";
        QTest::newRow("eight integer digits") << "en_US" << 12345678.9 << "12345679.000";
        QTest::newRow("below one") << "en_US" << 0.12345 << "0.123";
        QTest::newRow("rounds up to one") << "en_US" << 0.9996 << "1.000";
        QTest::newRow("zero") << "ru_RU" << 0.0 << "0,000";
        QTest::newRow("tiny negative, no sign") << "en_US" << -0.0004 << "0.000";
        QTest::newRow("negative") << "ru_RU" << -2.5 << "-2,500";
        QTest::newRow("nine integer digits") << "en_US" << 123456789.0 << "1.2345679E+08";
        QTest::newRow("rounds up to nine digits") << "en_US" << 99999999.7 << "1.0000000E+08";
    }
    void realText()
    {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(RealText(value), text);
    }

    void meterDateTimeText_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("ru: midnight, date only") << "ru_RU" << 0LL << "01.01.2000";
        QTest::newRow("ru: a second after midnight") << "ru_RU" << 1LL << "01.01.2000 00:00:01";
        QTest::newRow("ru: 2024-03-15 10:20:30") << "ru_RU" << 763813230LL << "15.03.2024 10:20:30";
        QTest::newRow("ru: before the epoch") << "ru_RU" << -1LL << "31.12.1999 23:59:59";
        QTest::newRow("ru: a day before the epoch") << "ru_RU" << -86400LL << "31.12.1999";
        QTest::newRow("en: midnight, date only") << "en_US" << 0LL << "1/1/00";
        QTest::newRow("en: afternoon") << "en_US" << 47107LL << "1/1/00 1:05:07 PM";
    }
    void meterDateTimeText()
    {
        QFETCH(QString, locale);
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(MeterDateTimeText(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestValueFormats)
#include "tst_value_formats.moc"
