// The operation log file: Windows-1251 lines ended by CR LF, appended
// without touching the earlier entries, headed by the shown number and the
// workstation's date and time; and the entries one meter's filter shows.

#include "windows1251_reader.h"
#include "meter/operation_log.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray Cp1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

// A log in a temporary folder; the shown number is whatever the test sets.
struct LogFile {
    QTemporaryDir dir;
    QString shownNumber = "000042";
    OperationLog log{dir.filePath(OperationLog::FileName), [this] { return shownNumber; }};

    bool Exists() const { return QFile::exists(log.Path()); }
    QByteArray Bytes() const
    {
        QFile file(log.Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Write(const QByteArray& bytes) const
    {
        QFile file(log.Path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

const QByteArray EarlierEntry = Cp1251("000001[01.02.2024 9:00:00] Сброс показаний на РЧД");

} // namespace

class TestOperationLog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void appendAddsOneWindows1251Line_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("kept");

        QTest::newRow("no file yet") << QByteArray() << QByteArray();
        QTest::newRow("earlier entries") << EarlierEntry + "\r\n" << EarlierEntry + "\r\n";
        QTest::newRow("last line left unfinished") << EarlierEntry << EarlierEntry + "\r\n";
    }
    void appendAddsOneWindows1251Line()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, kept);
        LogFile file;
        if (!before.isEmpty())
            file.Write(before);

        const QDateTime from = QDateTime::currentDateTime().addMSecs(-1000);
        file.log.Append("Пароль=ключ");
        const QDateTime to = QDateTime::currentDateTime();

        const QByteArray bytes = file.Bytes();
        QVERIFY(bytes.startsWith(kept));
        const QByteArray added = bytes.mid(kept.size());
        QVERIFY(added.endsWith("\r\n"));
        QCOMPARE(added.count('\n'), 1);
        QStringDecoder decoder("windows-1251");
        const QRegularExpressionMatch entry
            = QRegularExpression(R"(^000042\[(\d\d\.\d\d\.\d{4} \d{1,2}:\d\d:\d\d)\] Пароль=ключ\r\n$)")
                  .match(decoder.decode(added));
        QVERIFY2(entry.hasMatch(), added.constData());
        const QDateTime stamp = QDateTime::fromString(entry.captured(1), "dd.MM.yyyy H:mm:ss");
        QVERIFY(stamp >= from && stamp <= to);
    }

    // What another program reading the log sees.
    void iconvReadsTheLog()
    {
        LogFile file;
        file.shownNumber = "0";
        file.log.Append("Режим индикации=Дата ");
        const QString text = Windows1251Text(file.log.Path());
        QVERIFY2(QRegularExpression(R"(^0\[[^\]]+\] Режим индикации=Дата \r\n$)").match(text).hasMatch(),
            qPrintable(text));
    }

    void nothingIsWrittenInSqlMode()
    {
        LogFile file;
        file.log.SetSqlMode(true);
        file.log.Append("Номер=1");
        QVERIFY(!file.Exists());
        file.Write(EarlierEntry);
        file.log.Append("Номер=1");
        QCOMPARE(file.Bytes(), EarlierEntry);
    }

    void filterShowsOneMetersEntries_data()
    {
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QStringList>("entries");

        QTest::newRow("a meter without number is not number 0") << qint64(0) << QStringList();
        QTest::newRow("six-digit key, in file order")
            << qint64(123) << QStringList{"[01.02.2024 9:01:00] Номер=123", "[01.02.2024 9:03:00] Пароль=2"};
        QTest::newRow("a seven-digit meter is not its first six digits")
            << qint64(123456) << QStringList{"[01.02.2024 9:05:00] Пароль=3"};
        QTest::newRow("a seven-digit meter is never matched") << qint64(1234567) << QStringList();
    }
    void filterShowsOneMetersEntries()
    {
        QFETCH(qint64, number);
        QFETCH(QStringList, entries);
        LogFile file;
        file.Write(Cp1251("0[01.02.2024 9:00:00] Номер=123\r\n"
                          "000123[01.02.2024 9:01:00] Номер=123\r\n"
                          "1234567[01.02.2024 9:02:00] Пароль=1\r\n"
                          "000123[01.02.2024 9:03:00] Пароль=2\r\n"
                          "[01.02.2024 9:04:00] Пароль=\r\n"
                          "123456[01.02.2024 9:05:00] Пароль=3\r\n"));
        QCOMPARE(file.log.Filter(number), entries);
    }

    void filterOfAMissingFileIsEmpty()
    {
        LogFile file;
        QVERIFY(file.log.Filter(0).isEmpty());
        QVERIFY(!file.Exists());
    }
};

QTEST_GUILESS_MAIN(TestOperationLog)
#include "tst_operation_log.moc"
