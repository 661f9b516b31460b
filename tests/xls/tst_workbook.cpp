// Workbooks written and read back, by this program, by python3-xlrd and by
// LibreOffice when installed: the sheets, the active sheet, the font, the
// cells, and the records that carry a large table.

#include "xls_reader.h"

#include "xls/workbook_file.h"

#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

const QString LibreOffice = QStringLiteral("/usr/bin/soffice");

Workbook ThreeSheets()
{
    Workbook workbook;
    for (const char* name : {"Лист1", "Лист2", "Лист3"})
        workbook.sheets << Sheet{QString::fromUtf8(name), QStringLiteral("&C&A"),
            QStringLiteral("&CСтраница &P"), {}};
    return workbook;
}

// Out of range is an empty array, as when xlrd refused the file.
QJsonArray Rows(const QJsonObject& book, int sheet)
{
    return book["sheets"].toArray().at(sheet).toObject()["rows"].toArray();
}

QJsonArray CellAt(const QJsonObject& book, int sheet, int row, int column)
{
    return Rows(book, sheet).at(row).toArray().at(column).toArray();
}

QJsonArray Cell(const QString& kind, const QJsonValue& value)
{
    return QJsonArray{kind, value};
}

} // namespace

Q_DECLARE_METATYPE(Workbook)

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

    void activeSheetAndFontAsGiven()
    {
        Workbook workbook = ThreeSheets();
        workbook.activeSheet = 2;
        workbook.fontName = QStringLiteral("Times New Roman");
        workbook.fontPoints = 12;
        const QJsonObject book = Written(workbook);
        const QJsonArray sheets = book["sheets"].toArray();
        QCOMPARE(sheets[0].toObject()["selected"].toInt(), 0);
        QCOMPARE(sheets[2].toObject()["selected"].toInt(), 1);
        QCOMPARE(book["font"].toString(), workbook.fontName);
        QCOMPARE(book["fontHeight"].toInt(), 240);
        const Workbook back = ParseWorkbook(WorkbookBytes(workbook));
        QCOMPARE(back.activeSheet, 2);
        QCOMPARE(back.fontName, workbook.fontName);
        QCOMPARE(back.fontPoints, 12);
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
        QCOMPARE(CellAt(book, 0, 0, 0), Cell("text", "Счетчик № 104217, Годовой журнал"));
        QCOMPARE(CellAt(book, 0, 0, 1), Cell("text", ""));
        QCOMPARE(CellAt(book, 0, 1, 0), Cell("number", -12.5));
        QCOMPARE(CellAt(book, 0, 1, 1), Cell("empty", ""));
        QCOMPARE(CellAt(book, 0, 1, 2), Cell("number", 1234567.125));
        QCOMPARE(CellAt(book, 0, 1, 3), Cell("text", "однот."));
        QCOMPARE(CellAt(book, 0, 1, 4), Cell("number", 0));
        QCOMPARE(CellAt(book, 0, 3, 255), Cell("text", "last column"));
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
        QCOMPARE(Rows(book, 0).size(), 700);
        for (int row : {0, 31, 32, 333, 699}) {
            QCOMPARE(CellAt(book, 0, row, 1), Cell("text", QStringLiteral("ячейка %1:1").arg(row)));
            QCOMPARE(CellAt(book, 0, row, 12), Cell("number", row * 100.0 + 12.25));
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
        QCOMPARE(CellAt(book, 0, 0, 0).at(1).toString(), longText);
        QCOMPARE(CellAt(book, 0, 1, 0), Cell("text", "после"));
        QCOMPARE(ParseWorkbook(WorkbookBytes(workbook)).sheets[0].cells, workbook.sheets[0].cells);
    }

    void refusedWorkbooks_data()
    {
        QTest::addColumn<Workbook>("workbook");
        const auto withCell = [](int row, int column, const CellValue& value) {
            Workbook workbook = ThreeSheets();
            workbook.sheets[0].cells.insert({row, column}, value);
            return workbook;
        };
        const auto changed = [](const std::function<void(Workbook&)>& change) {
            Workbook workbook = ThreeSheets();
            change(workbook);
            return workbook;
        };
        QTest::newRow("row beyond the sheet") << withCell(MaxRows, 0, 1.0);
        QTest::newRow("column beyond the sheet") << withCell(0, MaxColumns, 1.0);
        QTest::newRow("negative row") << withCell(-1, 0, 1.0);
        QTest::newRow("text too long") << withCell(0, 0, QString(MaxTextLength + 1, u'x'));
        QTest::newRow("no sheets") << changed([](Workbook& book) { book.sheets.clear(); });
        QTest::newRow("active sheet beyond") << changed([](Workbook& book) { book.activeSheet = 3; });
        QTest::newRow("unnamed sheet") << changed([](Workbook& book) { book.sheets[1].name.clear(); });
        QTest::newRow("sheet name too long")
            << changed([](Workbook& book) { book.sheets[1].name = QString(MaxSheetNameLength + 1, u'Л'); });
        QTest::newRow("footer too long")
            << changed([](Workbook& book) { book.sheets[2].footer = QString(MaxHeaderLength + 1, u'С'); });
        QTest::newRow("font of no size") << changed([](Workbook& book) { book.fontPoints = 0; });
        QTest::newRow("unnamed font") << changed([](Workbook& book) { book.fontName.clear(); });
    }
    void refusedWorkbooks()
    {
        QFETCH(Workbook, workbook);
        QVERIFY_THROWS_EXCEPTION(XlsError, WorkbookBytes(workbook));
    }

    // LibreOffice reads stricter than xlrd: every sheet, converted to CSV,
    // holds the cells written, the long text and the table's tail included.
    void readByLibreOffice()
    {
        if (!QFile::exists(LibreOffice))
            QSKIP("LibreOffice is not installed.");
        Workbook workbook = ThreeSheets();
        auto& cells = workbook.sheets[0].cells;
        for (int row = 0; row < 300; ++row)
            for (int column = 0; column < 3; ++column)
                cells.insert({row, column}, column == 1 ? CellValue(-row - 0.5) : QStringLiteral("ячейка %1:%2").arg(row).arg(column));
        const QString longText(10000, u'Ж');
        cells.insert({300, 0}, longText);
        cells.insert({301, 2}, 1234567.125);
        workbook.sheets[1].cells.insert({0, 0}, QStringLiteral("второй"));
        const QString path = dir_.filePath(QStringLiteral("book.xls"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(WorkbookBytes(workbook));
        file.close();

        QProcess office;
        office.start(LibreOffice, {QStringLiteral("-env:UserInstallation=file://%1").arg(dir_.filePath("profile")),
            QStringLiteral("--headless"), QStringLiteral("--convert-to"),
            QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"),
            QStringLiteral("--outdir"), dir_.path(), path});
        QVERIFY(office.waitForFinished(180000));
        QCOMPARE(office.exitCode(), 0);

        const auto lines = [this](const QString& sheet) {
            QFile csv(dir_.filePath(QStringLiteral("book-%1.csv").arg(sheet)));
            return csv.open(QIODevice::ReadOnly) ? QString::fromUtf8(csv.readAll()).split(u'\n') : QStringList();
        };
        const QStringList first = lines(QStringLiteral("Лист1"));
        QCOMPARE(first.value(0), QStringLiteral("ячейка 0:0,-0.5,ячейка 0:2"));
        QCOMPARE(first.value(299), QStringLiteral("ячейка 299:0,-299.5,ячейка 299:2"));
        QCOMPARE(first.value(300), longText + QStringLiteral(",,"));
        QCOMPARE(first.value(301), QStringLiteral(",,1234567.125"));
        QCOMPARE(lines(QStringLiteral("Лист2")).value(0), QStringLiteral("второй"));
        QVERIFY(QFile::exists(dir_.filePath(QStringLiteral("book-Лист3.csv"))));
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
