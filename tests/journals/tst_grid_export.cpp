// Saving a journal's table as a workbook, read back by an independent
// reader: the title in the first cell, the captions in the second row,
// numbers as numbers under the workstation's decimal separator; the
// temporary file beside the chosen one, the replaced file, the warning when
// the file cannot be made, and the template every workbook starts from.

#include "journal_grids.h"
#include "recording_dialogs.h"
#include "xls_reader.h"

#include "journals/grid_export.h"
#include "journals/xls_template.h"
#include "xls/workbook_file.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Title = QStringLiteral("Счетчик № 123456, Годовой журнал");
const QString Warning = QStringLiteral(
    "Внимание: Файл не может быть создан в указанной директории, или файл с таким именем сейчас открыт!");

// A cell as the reader sees it: its kind and its value.
struct ReadCell {
    QString kind;
    QVariant value;
    friend bool operator==(const ReadCell&, const ReadCell&) = default;
};

QString Describe(const ReadCell& cell)
{
    return cell.kind + ":" + cell.value.toString();
}

ReadCell Text(const QString& text)
{
    return {"text", text};
}

ReadCell Number(double value)
{
    return {"number", value};
}

QList<QList<ReadCell>> SheetRows(const QJsonObject& workbook, int sheet = 0)
{
    QList<QList<ReadCell>> rows;
    for (const QJsonValue& row : workbook["sheets"][sheet]["rows"].toArray()) {
        QList<ReadCell> cells;
        for (const QJsonValue& cell : row.toArray())
            cells << ReadCell{cell[0].toString(), cell[1].toVariant()};
        rows << cells;
    }
    return rows;
}

// An empty text may be stored or left out; both read as no value.
bool EmptyText(const ReadCell& cell)
{
    return cell.kind == "empty" || cell == Text(QString());
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The export with an operator who picks `saveFile`.
struct Export {
    QTemporaryDir dir;
    RecordingDialogs dialogs;
    QStringList opened;

    Export() { dialogs.openMs = 0; }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Run(const TextGrid& grid, const QString& saveFile)
    {
        dialogs.saveFile = saveFile;
        ExportGridToXls(grid, Title, dialogs, [this](const QString& path) { opened << path; });
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot); }
};

} // namespace

class TestGridExport : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void cellNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariant>("number");

        const QLocale comma(QLocale::Russian, QLocale::Russia);
        const QLocale point(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma reading") << comma << "123,456" << QVariant(123.456);
        QTest::newRow("blanks around") << comma << " \t12,5 " << QVariant(12.5);
        QTest::newRow("integer") << comma << "1234" << QVariant(1234.0);
        QTest::newRow("negative") << comma << "-7,25" << QVariant(-7.25);
        QTest::newRow("exponent") << comma << "1,5E3" << QVariant(1500.0);
        QTest::newRow("point under comma locale") << comma << "123.456" << QVariant();
        QTest::newRow("group separator") << comma << QStringLiteral("1\u00a0234,5") << QVariant();
        QTest::newRow("date") << comma << "05.01.24" << QVariant();
        QTest::newRow("time") << comma << "12:30:00" << QVariant();
        QTest::newRow("single tariff") << comma << "однот." << QVariant();
        QTest::newRow("month caption") << comma << "01 янв." << QVariant();
        QTest::newRow("operating time") << comma << "2д. 03:04:05" << QVariant();
        QTest::newRow("empty") << comma << "" << QVariant();
        QTest::newRow("blanks only") << comma << "   " << QVariant();
        QTest::newRow("number and more") << comma << "12,5 кВт" << QVariant();
        QTest::newRow("not a number") << comma << "nan" << QVariant();
        QTest::newRow("infinity") << comma << "inf" << QVariant();
        QTest::newRow("too large") << comma << "1E999" << QVariant();
        QTest::newRow("point reading") << point << "123.456" << QVariant(123.456);
        // A thousands separator would make it 123456.
        QTest::newRow("comma under point locale") << point << "123,456" << QVariant();
        QTest::newRow("grouped under point locale") << point << "1,234.5" << QVariant();
    }
    void cellNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QVariant, number);

        QLocale::setDefault(locale);
        const std::optional<double> converted = CellNumber(text);
        QCOMPARE(converted.has_value(), number.isValid());
        if (converted)
            QCOMPARE(*converted, number.toDouble());
    }

    void journalTitle_data()
    {
        QTest::addColumn<quint32>("number");
        QTest::addColumn<QString>("title");

        QTest::newRow("no number") << 0u << "Годовой журнал";
        QTest::newRow("number") << 42u << "Счетчик № 42, Годовой журнал";
        QTest::newRow("largest number") << 0xFFFFFFFFu << "Счетчик № 4294967295, Годовой журнал";
    }
    void journalTitle()
    {
        QFETCH(quint32, number);
        QFETCH(QString, title);

        QCOMPARE(JournalTitle(number, "Годовой журнал"), title);
    }

    void listToGrid_data()
    {
        QTest::addColumn<QList<QStringList>>("list");
        QTest::addColumn<QList<QStringList>>("rows");

        QTest::newRow("empty list") << QList<QStringList>() << QList<QStringList>();
        QTest::newRow("full rows") << QList<QStringList>{{"1", "a", "b"}, {"2", "c", "d"}}
                                   << QList<QStringList>{{"1", "a", "b"}, {"2", "c", "d"}};
        QTest::newRow("fewer sub-items") << QList<QStringList>{{"1"}, {"2", "c"}}
                                         << QList<QStringList>{{"1", "", ""}, {"2", "c", ""}};
        QTest::newRow("more sub-items than columns") << QList<QStringList>{{"1", "a", "b", "extra"}}
                                                     << QList<QStringList>{{"1", "a", "b"}};
        QTest::newRow("row without caption") << QList<QStringList>{{}} << QList<QStringList>{{"", "", ""}};
    }
    void listToGrid()
    {
        QFETCH(QList<QStringList>, list);
        QFETCH(QList<QStringList>, rows);

        const QStringList captions{"Запись №", "Время", "Статус"};
        const TextGrid grid = ListToGrid(captions, list);
        QCOMPARE(grid.rows, QList<QStringList>{captions} + rows);
    }

    // The yearly journal under both kinds of decimal separator: texts stay
    // texts, peak powers and readings become numbers.
    void yearlyJournalReadsBack_data()
    {
        QTest::addColumn<QLocale>("locale");

        QTest::newRow("comma locale") << QLocale(QLocale::Russian, QLocale::Russia);
        QTest::newRow("point locale") << QLocale(QLocale::English, QLocale::UnitedStates);
    }
    void yearlyJournalReadsBack()
    {
        QFETCH(QLocale, locale);

        QLocale::setDefault(locale);
        Export f;
        const QString path = f.Path("year.xls");
        const TextGrid grid = YearGrid();
        QCOMPARE(WriteGridWorkbook(grid, Title, path), QString());

        const QList<QList<ReadCell>> rows = SheetRows(ReadXls(path));
        QCOMPARE(rows.size(), 14);
        QCOMPARE(rows[0][0], Text(Title));
        for (int column = 1; column < rows[0].size(); ++column)
            QVERIFY(EmptyText(rows[0][column]));
        QList<ReadCell> captions;
        for (const QString& caption : YearCaptions)
            captions << Text(caption);
        QCOMPARE(rows[1], captions);
        for (int month = 0; month < 12; ++month) {
            QList<ReadCell> expected{Text(grid.Cell(0, month + 1)), Number(YearPeak(month)),
                Text(grid.Cell(2, month + 1)), Text("12:30:00")};
            for (int tariff = 0; tariff < 8; ++tariff)
                expected << Number(YearReading(month, tariff));
            expected << Text(grid.Cell(12, month + 1));
            const QList<ReadCell>& row = rows[month + 2];
            QVERIFY2(row == expected, qPrintable(Describe(row.value(1)) + " " + Describe(row.value(4))));
        }
    }

    // The empty consumption list: the title and the row of captions.
    void emptyListGivesTitleAndCaptions()
    {
        Export f;
        const QString path = f.Path("diary.xls");
        QCOMPARE(WriteGridWorkbook(ListToGrid(DiaryCaptions, {}), "Журнал потребления", path), QString());

        const QList<QList<ReadCell>> rows = SheetRows(ReadXls(path));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0][0], Text("Журнал потребления"));
        QCOMPARE(rows[1].size(), DiaryCaptions.size());
        for (int column = 0; column < DiaryCaptions.size(); ++column)
            QCOMPARE(rows[1][column], Text(DiaryCaptions[column]));
    }

    // The saved file keeps the template's sheets and page texts; only the
    // first sheet receives the table.
    void savedWorkbookKeepsTemplate()
    {
        Export f;
        const QString path = f.Path("diary.xls");
        QCOMPARE(WriteGridWorkbook(DiaryGrid(250), Title, path), QString());

        const Workbook saved = ParseWorkbook(FileBytes(path));
        const Workbook empty = ParseWorkbook(XlsTemplateBytes());
        QCOMPARE(saved.sheets.size(), empty.sheets.size());
        for (int sheet = 0; sheet < saved.sheets.size(); ++sheet) {
            QCOMPARE(saved.sheets[sheet].name, empty.sheets[sheet].name);
            QCOMPARE(saved.sheets[sheet].header, empty.sheets[sheet].header);
            QCOMPARE(saved.sheets[sheet].footer, empty.sheets[sheet].footer);
        }
        QCOMPARE(saved.activeSheet, empty.activeSheet);
        QCOMPARE(saved.fontName, empty.fontName);
        QCOMPARE(saved.fontPoints, empty.fontPoints);

        const QJsonObject workbook = ReadXls(path);
        const QList<QList<ReadCell>> rows = SheetRows(workbook);
        QCOMPARE(rows.size(), 252);
        QCOMPARE(rows[2][3], Text("однот."));
        QCOMPARE(rows[3][3], Number(2));
        QCOMPARE(rows[251][0], Number(250));
        QCOMPARE(rows[251][1], Text("01.03.24 10:15:00"));
        QCOMPARE(rows[251][4], Number(DiaryReading(249)));
        QVERIFY(SheetRows(workbook, 1).isEmpty());
        QVERIFY(SheetRows(workbook, 2).isEmpty());
    }

    // A cell the workbook cannot take is left out, the rest goes out; a
    // table wider than a sheet is cut at the sheet's last column.
    void cellsBeyondLimitsAreLeftOut()
    {
        Export f;
        const QString path = f.Path("limits.xls");
        TextGrid grid{{QStringList(MaxColumns + 10, "к"), {"1", QString(MaxTextLength + 1, QLatin1Char('x')), "3"}}};
        grid.rows[1] += QStringList(MaxColumns + 7, "4");
        QCOMPARE(WriteGridWorkbook(grid, Title, path), QString());

        const QList<QList<ReadCell>> rows = SheetRows(ReadXls(path));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].size(), MaxColumns);
        QCOMPARE(rows[2][0], Number(1));
        QVERIFY(EmptyText(rows[2][1]));
        QCOMPARE(rows[2][2], Number(3));
        QCOMPARE(rows[2].last(), Number(4));
    }

    // The temporary workbook is the first free "<n>new.xls" beside the
    // chosen file that is not the chosen file's own name; earlier ones stay
    // untouched. A failed save leaves it there (so it shows which name was
    // taken); a successful one removes it, and the chosen file stays.
    void temporaryFileTakesFreeName_data()
    {
        QTest::addColumn<QList<int>>("taken");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<QString>("temporary");

        QTest::newRow("none taken, save fails") << QList<int>{} << "journal.xls" << false << "1new.xls";
        QTest::newRow("1 taken, save fails") << QList<int>{1} << "journal.xls" << false << "2new.xls";
        QTest::newRow("1 and 2 taken, save fails") << QList<int>{1, 2} << "journal.xls" << false << "3new.xls";
        QTest::newRow("gap at 1, save fails") << QList<int>{2} << "journal.xls" << false << "1new.xls";
        QTest::newRow("1 taken, saved") << QList<int>{1} << "journal.xls" << true << QString();
        // The chosen file bears the first free temporary name: it is
        // passed over, so saving cannot land on the file removed after.
        QTest::newRow("chosen file is the first free name") << QList<int>{} << "1new.xls" << true << QString();
        QTest::newRow("chosen file is the next free name") << QList<int>{1} << "2new.xls" << true << QString();
        QTest::newRow("chosen file is that name in capitals") << QList<int>{} << "1NEW.XLS" << true << QString();
    }
    void temporaryFileTakesFreeName()
    {
        QFETCH(QList<int>, taken);
        QFETCH(QString, target);
        QFETCH(bool, saves);
        QFETCH(QString, temporary);

        Export f;
        const QByteArray kept = "not a workbook";
        QStringList expected;
        for (const int n : taken) {
            WriteFile(f.Path(QStringLiteral("%1new.xls").arg(n)), kept);
            expected << QStringLiteral("%1new.xls").arg(n);
        }
        // A directory in the file's place cannot be saved over.
        const QString path = f.Path(target);
        if (!saves)
            QVERIFY(QDir(f.dir.path()).mkdir(target));
        expected << target;
        if (!temporary.isEmpty())
            expected << temporary;
        expected.sort();

        const QString reason = WriteGridWorkbook(YearGrid(), Title, path);

        QCOMPARE(reason.isEmpty(), saves);
        QCOMPARE(f.Files(), expected);
        for (const int n : taken)
            QCOMPARE(FileBytes(f.Path(QStringLiteral("%1new.xls").arg(n))), kept);
        if (!temporary.isEmpty())
            QCOMPARE(ParseWorkbook(FileBytes(f.Path(temporary))).sheets.size(), 3);
        else
            QCOMPARE(SheetRows(ReadXls(path)).value(0).value(0), Text(Title));
    }

    // The operator's view: the question, the opened file, the warning.
    // The file handed to the shell is there, whatever its name.
    void exportAsksSavesAndOpens_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("a name of its own") << "year.xls";
        QTest::newRow("the temporary file's name") << "1new.xls";
    }
    void exportAsksSavesAndOpens()
    {
        QFETCH(QString, name);
        Export f;
        const QString path = f.Path(name);
        f.Run(YearGrid(), path);

        QCOMPARE(f.dialogs.saveQuestions, QStringList{"xls (*.xls); xls"});
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.opened, QStringList{path});
        QCOMPARE(SheetRows(ReadXls(path)).size(), 14);
        QCOMPARE(f.Files(), QStringList{name});
    }

    void cancelledExportDoesNothing()
    {
        Export f;
        f.Run(YearGrid(), QString());

        QCOMPARE(f.dialogs.saveQuestions.size(), 1);
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.opened, QStringList());
        QCOMPARE(f.Files(), QStringList());
    }

    // An existing file of that name is replaced without a question.
    void existingFileIsReplaced()
    {
        Export f;
        const QString path = f.Path("year.xls");
        WriteFile(path, QByteArray(100000, 'x'));
        f.Run(YearGrid(), path);

        QCOMPARE(f.dialogs.questions, QStringList());
        QCOMPARE(f.dialogs.messages, QStringList());
        QCOMPARE(f.opened, QStringList{path});
        QCOMPARE(SheetRows(ReadXls(path)).value(0).value(0), Text(Title));
    }

    // Where the temporary workbook can be made but not saved over, it
    // stays.
    void unwritablePlaceGivesWarning_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("files");

        QTest::newRow("missing directory") << "missing/year.xls" << QStringList{"taken"};
        QTest::newRow("directory in the file's place") << "taken" << QStringList{"1new.xls", "taken"};
    }
    void unwritablePlaceGivesWarning()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, files);

        Export f;
        QVERIFY(QDir(f.dir.path()).mkdir("taken"));
        f.Run(YearGrid(), f.Path(name));

        QCOMPARE(f.dialogs.messages, QStringList{Warning});
        QCOMPARE(f.opened, QStringList());
        QCOMPARE(f.Files(), files);
    }

    // The template every export starts from, as the program holds it.
    void templateIsTheEmptyWorkbook()
    {
        const Workbook workbook = ParseWorkbook(XlsTemplateBytes());
        QCOMPARE(XlsTemplateName, QStringLiteral("new.xls"));
        QCOMPARE(workbook.sheets.size(), 3);
        for (int sheet = 0; sheet < 3; ++sheet) {
            QCOMPARE(workbook.sheets[sheet].name, QStringLiteral("Лист%1").arg(sheet + 1));
            QCOMPARE(workbook.sheets[sheet].header, QStringLiteral("&C&A"));
            QCOMPARE(workbook.sheets[sheet].footer, QStringLiteral("&CСтраница &P"));
            QVERIFY(workbook.sheets[sheet].cells.isEmpty());
        }
        QCOMPARE(workbook.activeSheet, 0);
        QCOMPARE(workbook.fontName, QStringLiteral("Arial"));
        QCOMPARE(workbook.fontPoints, 10);
    }
};

QTEST_MAIN(TestGridExport)
#include "tst_grid_export.moc"
