// Printing a table: the page turned for a wide table, a narrow one spread
// over the page, the table centred with every text right-aligned in its
// column, a long table continued on further pages of the same job, each
// with the title and the caption row, and the job printed into a PDF file.

#include "journal_grids.h"
#include "pdf_tools.h"

#include "journals/grid_print.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {

const QString Title = QStringLiteral("Счетчик № 123456, Журнал потребления");

struct DrawnText {
    QPointF baseline;
    QString text;
    QFont font;
};

struct DrawnPage {
    QList<QLineF> lines;
    QList<DrawnText> texts;
};

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(QList<DrawnPage>& pages) : QPaintEngine(AllFeatures), pages_(pages) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return User; }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            pages_.last().lines << lines[i];
    }
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        pages_.last().texts << DrawnText{point, item.text(), item.font()};
    }

private:
    QList<DrawnPage>& pages_;
};

// A PDF writer's pages (size, resolution, orientation) whose painting is
// recorded instead of written: lines and texts in device units, per page.
class RecordingDevice : public QPdfWriter {
public:
    RecordingDevice() : QPdfWriter(QString()) {}
    bool newPage() override
    {
        pages << DrawnPage{};
        return true;
    }
    QList<DrawnPage> pages{DrawnPage{}};

    // The table's rules: horizontal lines longer than the date stamp's
    // underline, top to bottom.
    QList<QLineF> Rules(int page) const
    {
        QList<QLineF> rules;
        for (const QLineF& line : pages[page].lines)
            if (line.dy() == 0 && line.dx() > width() / 2)
                rules << line;
        std::sort(rules.begin(), rules.end(), [](const QLineF& a, const QLineF& b) { return a.y1() < b.y1(); });
        return rules;
    }
    // The x of every column border, left to right.
    QList<qreal> Borders(int page) const
    {
        QList<qreal> borders;
        for (const QLineF& line : pages[page].lines)
            if (line.dx() == 0 && !borders.contains(line.x1()))
                borders << line.x1();
        std::sort(borders.begin(), borders.end());
        return borders;
    }
    qreal TableWidth() const
    {
        const QLineF top = Rules(0).first();
        return top.x2() - top.x1();
    }
    QStringList Texts(int page) const
    {
        QStringList texts;
        for (const DrawnText& drawn : pages[page].texts)
            texts << drawn.text;
        return texts;
    }

protected:
    QPaintEngine* paintEngine() const override { return &engine_; }

private:
    mutable RecordingEngine engine_{pages};
};

QFont Font(int points, bool bold)
{
    QFont font;
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// A caption and a value in one column, as wide in bold as `share` of a
// portrait page.
TextGrid OneColumnGrid(double share)
{
    const RecordingDevice portrait;
    const QFontMetrics bold(Font(10, true), &portrait);
    QString text = "1";
    while (bold.horizontalAdvance(text) < share * portrait.width())
        text += QLatin1Char('W');
    return TextGrid{{{text}, {"2"}}};
}

} // namespace

class TestGridPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    // Widths are of the whole table, with its outer borders, against the
    // page width after any turn.
    void tableFitsThePage_data()
    {
        QTest::addColumn<TextGrid>("grid");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("least");
        QTest::addColumn<double>("most");

        // Widened in steps of 6/5 until four fifths of the page: never
        // less, and less than one step more.
        QTest::newRow("narrow table widened") << TextGrid{{{"1", "2"}, {"3", "4"}}} << false << 0.8 << 0.97;
        QTest::newRow("half the page widened") << OneColumnGrid(0.5) << false << 0.8 << 0.97;
        // Wider than the portrait page: the page turns, and the table is
        // spread over the turned page; wider than the turned page too, it
        // is cut off rather than shrunk.
        QTest::newRow("wider than portrait") << OneColumnGrid(1.05) << true << 0.8 << 0.97;
        QTest::newRow("wider than landscape") << OneColumnGrid(1.6) << true << 1.0 << 2.0;
    }
    void tableFitsThePage()
    {
        QFETCH(TextGrid, grid);
        QFETCH(bool, landscape);
        QFETCH(double, least);
        QFETCH(double, most);

        RecordingDevice device;
        PrintGrid(grid, Title, device);

        QCOMPARE(device.pageLayout().orientation() == QPageLayout::Landscape, landscape);
        QCOMPARE(device.width() > device.height(), landscape);
        const double share = device.TableWidth() / device.width();
        QVERIFY2(share >= least && share <= most, qPrintable(QString::number(share)));
    }

    // Between four fifths and the whole page width a table keeps the width
    // of its texts: the widest text of each column plus 16.
    void tableOfFittingWidthKeepsItsWidth()
    {
        RecordingDevice device;
        const QFontMetrics bold(Font(10, true), &device);
        QString text;
        while (bold.horizontalAdvance(text) < device.width() * 17 / 20)
            text += QLatin1Char('W');
        const TextGrid grid{{{text, "1"}, {"2", "3"}}};

        PrintGrid(grid, Title, device);

        QCOMPARE(device.pageLayout().orientation(), QPageLayout::Portrait);
        const qreal expected = 1 + (bold.horizontalAdvance(text) + 16 + 1) + (bold.horizontalAdvance("3") + 16 + 1);
        QVERIFY2(qAbs(device.TableWidth() - expected) <= 1, qPrintable(QString::number(device.TableWidth())));
    }

    // Every cell text ends 8 units before its column's right edge and
    // stands inside its row; the table is centred on the page.
    void textsSitInTheirCells_data()
    {
        QTest::addColumn<TextGrid>("grid");

        QTest::newRow("yearly journal") << YearGrid();
        QTest::newRow("consumption journal") << DiaryGrid(5);
        QTest::newRow("empty cells") << TextGrid{{{"a", "", "c"}, {"", "b", ""}}};
    }
    void textsSitInTheirCells()
    {
        QFETCH(TextGrid, grid);

        RecordingDevice device;
        PrintGrid(grid, Title, device);

        QCOMPARE(device.pages.size(), 1);
        const QList<QLineF> rules = device.Rules(0);
        const QList<qreal> borders = device.Borders(0);
        QCOMPARE(rules.size(), grid.RowCount() + 1);
        QCOMPARE(borders.size(), grid.ColumnCount() + 1);
        QCOMPARE(rules.first().x1(), borders.first());
        QCOMPARE(rules.first().x2(), borders.last());
        QVERIFY(qAbs(borders.first() - (device.width() - borders.last())) <= 1);
        const qreal rowHeight = rules[1].y1() - rules[0].y1();
        for (int row = 0; row < rules.size(); ++row)
            QCOMPARE(rules[row].y1(), rules.first().y1() + row * rowHeight);

        for (int row = 0; row < grid.RowCount(); ++row) {
            for (int column = 0; column < grid.ColumnCount(); ++column) {
                const QString text = grid.Cell(column, row);
                if (text.isEmpty())
                    continue;
                const auto drawn = std::find_if(device.pages[0].texts.cbegin(), device.pages[0].texts.cend(),
                    [&](const DrawnText& t) {
                        return t.text == text && t.baseline.y() > rules[row].y1()
                            && t.baseline.y() < rules[row + 1].y1() && t.baseline.x() > borders[column]
                            && t.baseline.x() < borders[column + 1];
                    });
                QVERIFY2(drawn != device.pages[0].texts.cend(), qPrintable(text));
                const QFontMetrics metrics(drawn->font, &device);
                // A column's right edge lies 1 unit before the next column's
                // border; the last one's is the table's.
                const qreal rightEdge = column + 1 == grid.ColumnCount() ? borders.last() : borders[column + 1] - 1;
                QCOMPARE(drawn->baseline.x() + metrics.horizontalAdvance(text), rightEdge - 8);
                QVERIFY(drawn->baseline.y() - metrics.ascent() >= rules[row].y1());
                QVERIFY(drawn->baseline.y() + metrics.descent() <= rules[row + 1].y1());
            }
        }
    }

    // The date stamp at the top left of the first page, the title centred,
    // captions bold, values regular.
    void firstPageFonts()
    {
        const QDateTime before = QDateTime::currentDateTime();
        RecordingDevice device;
        const TextGrid grid = DiaryGrid(3);
        PrintGrid(grid, Title, device);
        const QDateTime after = QDateTime::currentDateTime();

        const QList<DrawnText>& texts = device.pages[0].texts;
        QVERIFY(texts.size() >= 2);
        const DrawnText& stamp = texts[0];
        QStringList allowed;
        for (QDateTime t = before; t.secsTo(after) >= 0; t = t.addSecs(1))
            allowed << QLocale().toString(t, "d MMMM yyyy 'г.' hh:mm:ss");
        allowed << QLocale().toString(after, "d MMMM yyyy 'г.' hh:mm:ss");
        QVERIFY2(allowed.contains(stamp.text), qPrintable(stamp.text));
        QVERIFY(stamp.text.contains(QLocale().monthName(after.date().month())));
        QCOMPARE(stamp.baseline.x(), 10.0);
        QCOMPARE(stamp.font.pointSize(), 8);
        QVERIFY(stamp.font.underline());

        const DrawnText& title = texts[1];
        QCOMPARE(title.text, Title);
        QCOMPARE(title.font.pointSize(), 11);
        QVERIFY(title.font.bold());
        const qreal titleWidth = QFontMetrics(title.font, &device).horizontalAdvance(Title);
        QVERIFY(qAbs(title.baseline.x() - (device.width() - titleWidth) / 2) <= 1);
        QVERIFY(title.baseline.y() < device.Rules(0).first().y1());

        for (const DrawnText& drawn : texts.mid(2)) {
            QCOMPARE(drawn.font.pointSize(), 10);
            QCOMPARE(drawn.font.bold(), DiaryCaptions.contains(drawn.text));
        }
    }

    // One print job: every page after the first begins with its number,
    // the title and the caption row; every row is printed once, in order,
    // a page ends with its table closed when the next row would run over
    // its bottom.
    void longTableContinuesOnNewPages_data()
    {
        QTest::addColumn<QString>("title");

        QTest::newRow("with title") << Title;
        QTest::newRow("without title") << QString();
    }
    void longTableContinuesOnNewPages()
    {
        QFETCH(QString, title);

        RecordingDevice device;
        const TextGrid grid = DiaryGrid(250);
        PrintGrid(grid, title, device);

        QVERIFY(device.pages.size() > 1);
        QStringList firstColumn;
        for (int page = 0; page < device.pages.size(); ++page) {
            const QStringList texts = device.Texts(page);
            const int captions = int(texts.indexOf(DiaryCaptions.first()));
            QVERIFY(captions >= 0);
            QCOMPARE(texts.mid(captions, DiaryCaptions.size()), DiaryCaptions);
            QStringList head = texts.mid(0, captions);
            if (page == 0)
                head.removeFirst(); // the date stamp
            else
                QCOMPARE(head.takeFirst(), QStringLiteral("- %1 -").arg(page + 1));
            QCOMPARE(head, title.isEmpty() ? QStringList() : QStringList{title});

            const int firstRow = captions + int(DiaryCaptions.size());
            const int rows = int(texts.size() - firstRow) / int(DiaryCaptions.size());
            QVERIFY(rows > 0);
            const QList<QLineF> rules = device.Rules(page);
            QCOMPARE(rules.size(), 1 + rows + 1);
            const qreal rowHeight = rules[1].y1() - rules[0].y1();
            for (const QLineF& line : device.pages[page].lines)
                QVERIFY(line.y2() <= device.height());
            if (page + 1 < device.pages.size())
                QVERIFY(rules.last().y1() + rowHeight > device.height());
            for (int i = firstRow; i < texts.size(); i += DiaryCaptions.size())
                firstColumn << texts[i];
        }
        QStringList numbers;
        for (int row = 1; row < grid.RowCount(); ++row)
            numbers << grid.Cell(0, row);
        QCOMPARE(firstColumn, numbers);
    }

    void continuedPagesAreNumberedAndSpaced()
    {
        RecordingDevice device;
        PrintGrid(DiaryGrid(250), Title, device);

        QVERIFY(device.pages.size() > 1);
        const DrawnText& number = device.pages[1].texts[0];
        const DrawnText& title = device.pages[1].texts[1];
        QCOMPARE(number.font.pointSize(), 8);
        const QFontMetrics numberMetrics(number.font, &device);
        QCOMPARE(number.baseline.y() - numberMetrics.ascent(), qreal(device.width() / 20));
        const qreal numberCentre = number.baseline.x() + numberMetrics.horizontalAdvance(number.text) / 2.0;
        QVERIFY(qAbs(numberCentre - device.width() / 2.0) <= 1);
        const int lineHeight = QFontMetrics(Font(10, false), &device).height();
        QCOMPARE(title.baseline.y() - QFontMetrics(title.font, &device).ascent(),
            qreal(device.width() / 20 + 3 * lineHeight / 2));
    }

    // The same job printed into a PDF file through the printer.
    void printsIntoPdfFile()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("journal.pdf"));
        const TextGrid grid = DiaryGrid(250);
        PrintGrid(grid, Title, printer);

        const int pages = PdfPages(printer.outputFileName());
        QVERIFY(pages > 1);
        QString all;
        for (int page = 1; page <= pages; ++page) {
            const QString text = PdfPageText(printer.outputFileName(), page);
            QVERIFY2(text.contains(Title), qPrintable(QString::number(page)));
            for (const QString& caption : DiaryCaptions)
                QVERIFY2(text.contains(caption), qPrintable(caption));
            // The page number's small blanks do not come out as blanks.
            if (page > 1)
                QVERIFY(QString(text).remove(QLatin1Char(' ')).contains(QStringLiteral("-%1-").arg(page)));
            all += text;
        }
        QVERIFY(all.contains(Reading(DiaryReading(0))));
        QVERIFY(all.contains(Reading(DiaryReading(249))));
    }

    void pdfPageTurnsForWideTable_data()
    {
        QTest::addColumn<TextGrid>("grid");
        QTest::addColumn<bool>("landscape");

        QTest::newRow("consumption journal") << DiaryGrid(3) << false;
        QTest::newRow("wide table") << OneColumnGrid(1.05) << true;
    }
    void pdfPageTurnsForWideTable()
    {
        QFETCH(TextGrid, grid);
        QFETCH(bool, landscape);

        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("journal.pdf"));
        PrintGrid(grid, Title, printer);

        QCOMPARE(printer.pageLayout().orientation() == QPageLayout::Landscape, landscape);
        const QRegularExpressionMatch size = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))")
                                                 .match(ToolOutput("pdfinfo", {printer.outputFileName()}));
        QVERIFY(size.hasMatch());
        QCOMPARE(size.captured(1).toDouble() > size.captured(2).toDouble(), landscape);
    }
};

QTEST_MAIN(TestGridPrint)
#include "tst_grid_print.moc"
