// Workbooks written and read back, by this program and by python3-xlrd:
// the sheets, the active sheet, the font, the cells, and the records that
// carry a large table.

#include "xls_reader.h"

#include "xls/workbook_file.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

namespace {

Workbook ThreeSheets()
{
    Workbook workbook;
    for (const char* name : {"Лист1", "Лист2", "Лист3"})
        workbook.sheets << Sheet{QString::fromUtf8(name), QStringLiteral("&C&A"),
            QStringLiteral("&CСтраница &P"), {}};
    return workbook;
}

QJsonArray Row(const QJsonObject& book, int sheet, int row)
{
    return book["sheets"].toArray()[sheet].toObject()["rows"].toArray()[row].toArray();
}

QJsonArray Cell(const QString& kind, const QJsonValue& value)
{
    return QJsonArray{kind, value};
}

} // namespace

class TestWorkbook : public QObject {
    Q_OBJECT

private slots:
    void emptyWorkbook()
    {
        const QJsonObject book = Written(ThreeSheets());
        const QJsonArray sheets = book["sheets"].toArray();
        QCOMPARE(sheets.size(), 3);
        QCOMPARE(sheets[0].toObject()["name"].toString(), QStringLiteral("Лист1"));
        QCOMPARE(sheets[2].toObject()["name"].toString(), QStringLiteral("Лист3"));
        QCOMPARE(sheets[0].toObject()["selected"].toInt(), 1);
        QCOMPARE(sheets[1].toObject()["selected"].toInt(), 0);
        QCOMPARE(book["font"].toString(), QStringLiteral("Arial"));
        QCOMPARE(book["fontHeight"].toInt(), 200);

        // xlrd does not show page headers: they are read back here.
        const Workbook back = ParseWorkbook(WorkbookBytes(ThreeSheets()));
        for (const Sheet& sheet : back.sheets) {
            QCOMPARE(sheet.header, QStringLiteral("&C&A"));
            QCOMPARE(sheet.footer, QStringLiteral("&CСтраница &P"));
        }
    }

    void activeSheetOtherThanTheFirst()
    {
        Workbook workbook = ThreeSheets();
        workbook.activeSheet = 2;
        const QJsonArray sheets = Written(workbook)["sheets"].toArray();
        QCOMPARE(sheets[0].toObject()["selected"].toInt(), 0);
        QCOMPARE(sheets[2].toObject()["selected"].toInt(), 1);
    }

    void cellTypesAndValues()
    {
        Workbook workbook = ThreeSheets();
        auto& cells = workbook.sheets[0].cells;
        cells.insert({0, 0}, QStringLiteral("Счетчик № 104217, Годовой журнал"));
        cells.insert({0, 1}, QString());
        cells.insert({1, 0}, -12.5);
        cells.insert({1, 2}, 1234567.125);
        cells.insert({1, 3}, QStringLiteral("однот."));
        cells.insert({1, 4}, 0.0);
        cells.insert({3, 255}, QStringLiteral("last column"));
        const QJsonObject book = Written(workbook);
        QCOMPARE(Row(book, 0, 0)[0].toArray(), Cell("text", "Счетчик № 104217, Годовой журнал"));
        QCOMPARE(Row(book, 0, 0)[1].toArray(), Cell("text", ""));
        QCOMPARE(Row(book, 0, 1)[0].toArray(), Cell("number", -12.5));
        QCOMPARE(Row(book, 0, 1)[1].toArray(), Cell("empty", ""));
        QCOMPARE(Row(book, 0, 1)[2].toArray(), Cell("number", 1234567.125));
        QCOMPARE(Row(book, 0, 1)[3].toArray(), Cell("text", "однот."));
        QCOMPARE(Row(book, 0, 1)[4].toArray(), Cell("number", 0));
        QCOMPARE(Row(book, 0, 3)[255].toArray(), Cell("text", "last column"));
        QCOMPARE(ParseWorkbook(WorkbookBytes(workbook)).sheets[0].cells, cells);
    }

    // Thousands of distinct strings: the shared string table runs over
    // several CONTINUE records, and the rows over many DBCELL blocks.
    void thousandsOfCells()
    {
        Workbook workbook = ThreeSheets();
        auto& cells = workbook.sheets[0].cells;
        for (int row = 0; row < 700; ++row)
            for (int column = 0; column < 13; ++column)
                if (column % 3 == 0)
                    cells.insert({row, column}, row * 100.0 + column + 0.25);
                else
                    cells.insert({row, column}, QStringLiteral("ячейка %1:%2").arg(row).arg(column));
        const QJsonObject book = Written(workbook);
        QCOMPARE(book["sheets"].toArray()[0].toObject()["rows"].toArray().size(), 700);
        for (int row : {0, 31, 32, 333, 699}) {
            QCOMPARE(Row(book, 0, row)[1].toArray(), Cell("text", QStringLiteral("ячейка %1:1").arg(row)));
            QCOMPARE(Row(book, 0, row)[12].toArray(), Cell("number", row * 100.0 + 12.25));
        }
        QCOMPARE(ParseWorkbook(WorkbookBytes(workbook)).sheets[0].cells, cells);
    }

    // One string longer than a record goes on in CONTINUE records; strings
    // after it still land on their cells.
    void stringLongerThanARecord()
    {
        Workbook workbook = ThreeSheets();
        QString longText;
        for (int i = 0; i < MaxTextLength; ++i)
            longText += QChar(i % 2 ? u'Ж' : u'a');
        workbook.sheets[0].cells.insert({0, 0}, longText);
        workbook.sheets[0].cells.insert({1, 0}, QStringLiteral("после"));
        const QJsonObject book = Written(workbook);
        QCOMPARE(Row(book, 0, 0)[0].toArray()[1].toString(), longText);
        QCOMPARE(Row(book, 0, 1)[0].toArray(), Cell("text", "после"));
    }

    void refusedWorkbooks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("textLength");
        QTest::newRow("row beyond the sheet") << MaxRows << 0 << 1;
        QTest::newRow("column beyond the sheet") << 0 << MaxColumns << 1;
        QTest::newRow("text too long") << 0 << 0 << MaxTextLength + 1;
    }
    void refusedWorkbooks()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, textLength);
        Workbook workbook = ThreeSheets();
        workbook.sheets[0].cells.insert({row, column}, QString(textLength, u'x'));
        QVERIFY_THROWS_EXCEPTION(XlsError, WorkbookBytes(workbook));
    }

    // Bytes that are not a workbook of ours, or one cut short or garbled,
    // are refused with a message; nothing is read past the data.
    void damagedBytesRefused()
    {
        const QByteArray good = WorkbookBytes(ThreeSheets());
        QList<QByteArray> damaged{QByteArray(), QByteArray("not a workbook"), good.left(good.size() / 2),
            good.left(512)};
        for (int at = 512; at < good.size(); at += 97) {
            QByteArray garbled = good;
            garbled[at] = char(garbled[at] ^ 0x5A);
            damaged << garbled;
        }
        int refused = 0;
        for (const QByteArray& bytes : damaged) {
            try {
                ParseWorkbook(bytes);
            } catch (const XlsError& error) {
                QVERIFY(!error.Message().isEmpty());
                ++refused;
            }
        }
        // Truncated and foreign bytes never pass; a flipped byte in a value
        // may still be a readable workbook.
        QVERIFY(refused >= 4);
    }

private:
    QJsonObject Written(const Workbook& workbook)
    {
        const QString path = dir_.filePath(QStringLiteral("book.xls"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(WorkbookBytes(workbook)) < 0)
            return {};
        file.close();
        return ReadXls(path);
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
