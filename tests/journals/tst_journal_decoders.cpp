// The journal records as the views show them: yearly records by month,
// version and length, consumption records by their fields, answers too short
// for what their length byte claims, and the status tooltip. The date and
// time of a peak follow the workstation's formats, the consumption stamp a
// fixed pattern whatever the locale.

#include "journals/journal_decoders.h"
#include "journals/journal_reads.h"
#include "protocol/frame.h"
#include "protocol/wire_values.h"
#include "sim/meter_real.h"

#include <QLocale>
#include <QtTest>

namespace {

// 2024-03-15 10:20:30, 2024-03-01 00:00:00 and one second before 2000.
constexpr qint32 March15 = 763813230;
constexpr qint32 March1 = 762566400;
constexpr qint32 LastSecondOf1999 = -1;
// 1d 01:01:01
constexpr quint32 Operating = 90061;

QByteArray Le(quint32 value, int bytes)
{
    QByteArray out;
    AppendLittleEndian(out, value, bytes);
    return out;
}

QByteArray Real(double kWh)
{
    return Le(EncodeMeterReal(kWh), 4);
}

// A full yearly record: tariff t reads 1000.5 * t + 0.25 for the tariffs
// given, 0 for the others.
QByteArray YearRecord(int month, quint8 prefix = 0x24, qint32 peakStamp = March15, int tariffsUsed = 2)
{
    QByteArray data = Bytes({month, prefix});
    for (int tariff = 1; tariff <= 8; ++tariff)
        data += Real(tariff <= tariffsUsed ? 1000.5 * tariff + 0.25 : 0.0);
    data += Le(quint32(peakStamp), 4) + Le(2350, 3) + Le(Operating, 4);
    return MakeFrame(ReadYearJournal, data);
}

QStringList FullRow(const QString& caption, const QString& operating = "1д.01:01:01")
{
    return {caption, "2350", "15.03.2024", "10:20:30", "1000,750", "2001,250", "0,000", "0,000", "0,000", "0,000",
        "0,000", "0,000", operating};
}

struct DiaryFields {
    quint8 number = 7;
    qint32 stamp = March15;
    quint8 tariff = 1;
    double reading = 12.5;
    quint8 status = 0;
};

QByteArray DiaryRecord(const DiaryFields& f, int index = 3)
{
    const QByteArray data = Bytes({index, f.number}) + Le(quint32(f.stamp), 4) + char(f.tariff) + Real(f.reading)
        + char(f.status) + Le(Operating, 4);
    return MakeFrame(ReadConsumptionJournal, data);
}

// The frame cut after `size` bytes, its length byte still claiming it whole.
QByteArray Truncated(const QByteArray& frame, int size)
{
    return frame.left(size);
}

} // namespace

class TestJournalDecoders : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void yearRow_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<quint16>("version");
        QTest::addColumn<int>("row"); // 0: nothing shown
        QTest::addColumn<QStringList>("cells");

        QTest::newRow("January") << YearRecord(0) << quint16(0x0205) << 1 << FullRow("24 янв.");
        QTest::newRow("December fills the last row") << YearRecord(11) << quint16(0x0205) << 12 << FullRow("24 дек.");
        QTest::newRow("prefix in upper-case hex") << YearRecord(4, 0xAB) << quint16(0x0205) << 5 << FullRow("AB май");
        QTest::newRow("prefix below 0x10 keeps two digits")
            << YearRecord(1, 0x07) << quint16(0x0205) << 2 << FullRow("07 фев.");
        QTest::newRow("version 1.3 shows the operating time")
            << YearRecord(0) << quint16(0x0103) << 1 << FullRow("24 янв.");
        QTest::newRow("version 1.2 leaves it empty") << YearRecord(0) << quint16(0x0102) << 1 << FullRow("24 янв.", "");
        QTest::newRow("unknown version (0) leaves it empty")
            << YearRecord(0) << quint16(0) << 1 << FullRow("24 янв.", "");
        QTest::newRow("all eight tariffs")
            << YearRecord(5, 0x24, March15, 8) << quint16(0x0205) << 6
            << QStringList{"24 июнь", "2350", "15.03.2024", "10:20:30", "1000,750", "2001,250", "3001,750", "4002,250",
                   "5002,750", "6003,250", "7003,750", "8004,250", "1д.01:01:01"};

        QTest::newRow("no record: the caption alone")
            << MakeFrame(ReadYearJournal, Bytes({2})) << quint16(0x0205) << 3 << QStringList{"март"};
        QTest::newRow("a length byte but 47: the caption alone")
            << MakeFrame(ReadYearJournal, Bytes({3, 0x24, 1, 2, 3})) << quint16(0x0205) << 4 << QStringList{"апр."};
        QTest::newRow("claims 47 but ends early: the caption alone")
            << Truncated(YearRecord(6), 30) << quint16(0x0205) << 7 << QStringList{"июль"};
        QTest::newRow("claims 47 and is longer: the caption alone")
            << YearRecord(6) + '\0' << quint16(0x0205) << 7 << QStringList{"июль"};

        QTest::newRow("month 12, full") << YearRecord(12) << quint16(0x0205) << 0 << QStringList();
        QTest::newRow("month 12, no record") << MakeFrame(ReadYearJournal, Bytes({12})) << quint16(0x0205) << 0
                                            << QStringList();
        QTest::newRow("month 255, full") << YearRecord(255) << quint16(0x0205) << 0 << QStringList();
        QTest::newRow("no data at all") << MakeFrame(ReadYearJournal) << quint16(0x0205) << 0 << QStringList();
        QTest::newRow("two bytes") << QByteArray("\x12\x2f", 2) << quint16(0x0205) << 0 << QStringList();
        QTest::newRow("empty") << QByteArray() << quint16(0x0205) << 0 << QStringList();
    }
    void yearRow()
    {
        QFETCH(QByteArray, response);
        QFETCH(quint16, version);
        QFETCH(int, row);
        QFETCH(QStringList, cells);
        const auto shown = YearJournalRowOf(response, version);
        QCOMPARE(shown.has_value(), row > 0);
        if (shown) {
            QCOMPARE(shown->row, row);
            QCOMPARE(shown->cells, cells);
        }
    }

    void invalidMonth_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("invalid");
        QTest::newRow("month 11, full") << YearRecord(11) << false;
        QTest::newRow("month 12, full") << YearRecord(12) << true;
        QTest::newRow("month 200, full") << YearRecord(200) << true;
        QTest::newRow("month 12, no record") << MakeFrame(ReadYearJournal, Bytes({12})) << false;
        QTest::newRow("month 12, ends early") << Truncated(YearRecord(12), 20) << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void invalidMonth()
    {
        QFETCH(QByteArray, response);
        QFETCH(bool, invalid);
        QCOMPARE(HasInvalidMonth(response), invalid);
    }

    // The peak's date and time in the workstation's formats: its short date
    // and its long time without a zone.
    void peakDateAndTime_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<qint32>("stamp");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("ru: afternoon") << "ru_RU" << March15 + 6 * 3600 << "15.03.2024" << "16:20:30";
        QTest::newRow("ru: midnight keeps its time") << "ru_RU" << March1 << "01.03.2024" << "00:00:00";
        QTest::newRow("ru: 0 is the epoch") << "ru_RU" << 0 << "01.01.2000" << "00:00:00";
        QTest::newRow("ru: negative, before 2000") << "ru_RU" << LastSecondOf1999 << "31.12.1999" << "23:59:59";
        QTest::newRow("ru: largest stamp") << "ru_RU" << std::numeric_limits<qint32>::max() << "19.01.2068"
                                          << "03:14:07";
        QTest::newRow("en: afternoon") << "en_US" << March15 + 6 * 3600 << "3/15/24" << "4:20:30 PM";
    }
    void peakDateAndTime()
    {
        QFETCH(QString, locale);
        QFETCH(qint32, stamp);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QLocale::setDefault(QLocale(locale));
        const auto shown = YearJournalRowOf(YearRecord(0, 0x24, stamp), 0x0205);
        QVERIFY(shown);
        QCOMPARE(shown->cells.mid(2, 2), (QStringList{date, time}));
    }

    void diaryRow_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QStringList>("row"); // empty: no row

        QTest::newRow("ordinary") << DiaryRecord({}) << QStringList{"7", "15.03.24 10:20:30", "0", "1", "12,500",
            "1д.01:01:01"};
        QTest::newRow("tariff 0 is single-tariff") << DiaryRecord({.tariff = 0})
                                                   << QStringList{"7", "15.03.24 10:20:30", "0", "однот.", "12,500",
                                                          "1д.01:01:01"};
        QTest::newRow("tariff 3 is its digit") << DiaryRecord({.tariff = 3})
                                               << QStringList{"7", "15.03.24 10:20:30", "0", "3", "12,500",
                                                      "1д.01:01:01"};
        QTest::newRow("stamp 0") << DiaryRecord({.stamp = 0})
                                 << QStringList{"7", "01.01.00 00:00:00", "0", "1", "12,500", "1д.01:01:01"};
        QTest::newRow("negative stamp") << DiaryRecord({.stamp = LastSecondOf1999})
                                        << QStringList{"7", "31.12.99 23:59:59", "0", "1", "12,500", "1д.01:01:01"};
        QTest::newRow("status, number and reading at their limits")
            << DiaryRecord({.number = 255, .reading = 0.0, .status = 255}, 249)
            << QStringList{"255", "15.03.24 10:20:30", "255", "1", "0,000", "1д.01:01:01"};
        QTest::newRow("record number is not the index") << DiaryRecord({.number = 0}, 200)
                                                        << QStringList{"0", "15.03.24 10:20:30", "0", "1", "12,500",
                                                               "1д.01:01:01"};

        QTest::newRow("index alone: no record") << MakeFrame(ReadConsumptionJournal, Bytes({40})) << QStringList();
        QTest::newRow("length byte 19") << MakeFrame(ReadConsumptionJournal, DiaryRecord({}).mid(2, 16) + '\0')
                                        << QStringList();
        QTest::newRow("claims 18 but ends early") << Truncated(DiaryRecord({}), 12) << QStringList();
        QTest::newRow("no data at all") << MakeFrame(ReadConsumptionJournal) << QStringList();
        QTest::newRow("empty") << QByteArray() << QStringList();
    }
    void diaryRow()
    {
        QFETCH(QByteArray, response);
        QFETCH(QStringList, row);
        const auto shown = DiaryRowOf(response);
        QCOMPARE(shown.has_value(), !row.isEmpty());
        if (shown)
            QCOMPARE(*shown, row);
    }

    // The stamp's pattern is fixed; only the reading follows the locale.
    void diaryRowUnderAnotherLocale()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto shown = DiaryRowOf(DiaryRecord({}));
        QVERIFY(shown);
        QCOMPARE(shown->value(1), "15.03.24 10:20:30");
        QCOMPARE(shown->value(4), "12.500");
    }

    void statusOfCell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("status");
        // -1: no status.
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("several bits") << "65" << 65;
        QTest::newRow("power off") << "255" << 255;
        QTest::newRow("beyond a byte") << "256" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("not a number") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("too large for an integer") << "99999999999" << -1;
    }
    void statusOfCell()
    {
        QFETCH(QString, text);
        QFETCH(int, status);
        QCOMPARE(StatusOfCell(text).value_or(-1), status);
    }
};

QTEST_GUILESS_MAIN(TestJournalDecoders)
#include "tst_journal_decoders.moc"
