// Printing a table: the page turned for a wide table, a narrow one spread
// over the page, one too wide for the turned page printed smaller, the
// table centred with every text right-aligned in its column, a long table
// continued on further pages of the same job, each with the title and the
// caption row, and the job printed into a PDF file. The page is laid out
// alike at a printer's screen resolution and at printers' own ones.

#include "journal_grids.h"
#include "pdf_tools.h"

#include "journals/grid_print.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTransform>
#include <QtTest>
#include <algorithm>

namespace {

const QString Title = QStringLiteral("Счетчик № 123456, Журнал потребления");

// A printer left at the screen's resolution, and printers' own.
const QList<int> Resolutions{96, 300, 600, 1200};

// The layout's distances are dots of a 300 dpi printer: one of them in
// the device's units.
qreal Unit(const QPaintDevice& device)
{
    return device.logicalDpiX() / 300.0;
}

// Equal but for rounding: the painter places texts in 64ths of a unit.
bool Near(qreal a, qreal b)
{
    return qAbs(a - b) < 0.05;
}

struct DrawnText {
    QPointF baseline;
    QString text;
    QFont font;
    // How much the painter scaled it, and how wide it came out.
    qreal scale;
    qreal width;
};

struct DrawnPage {
    QList<QLineF> lines;
    QList<DrawnText> texts;
};

// Records lines and texts as they land on the device, the painter's
// transformation applied.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(QList<DrawnPage>& pages) : QPaintEngine(AllFeatures), pages_(pages) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override
    {
        if (changed.state() & DirtyTransform)
            transform_ = changed.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    Type type() const override { return User; }
    void drawLines(const QLineF* lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            pages_.last().lines << transform_.map(lines[i]);
    }
    // A text the painter hands over in pieces (it splits scaled text where
    // the script changes) is recorded as the one text it was.
    void drawTextItem(const QPointF& point, const QTextItem& item) override
    {
        const DrawnText drawn{transform_.map(point), item.text(), item.font(), transform_.m11(),
            transform_.m11() * item.width()};
        QList<DrawnText>& texts = pages_.last().texts;
        if (!texts.isEmpty() && texts.last().baseline.y() == drawn.baseline.y()
            && qAbs(texts.last().baseline.x() + texts.last().width - drawn.baseline.x()) < 0.1) {
            texts.last().text += drawn.text;
            texts.last().width += drawn.width;
        } else {
            texts << drawn;
        }
    }

private:
    QList<DrawnPage>& pages_;
    QTransform transform_;
};

// A PDF writer's pages (size, margins, resolution, orientation) whose
// painting is recorded instead of written: lines and texts in device
// units, per page.
class RecordingDevice : public QPdfWriter {
public:
    explicit RecordingDevice(int dpi = 1200) : QPdfWriter(QString()) { setResolution(dpi); }
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
    // Where a drawn text ends on the device.
    static qreal RightOf(const DrawnText& drawn) { return drawn.baseline.x() + drawn.width; }
    // What lies beyond the page's printable area, which is the device's
    // whole extent, on any page; empty when nothing does.
    QString Outside() const
    {
        const QRectF area(0, 0, width(), height());
        const auto inside = [&](const QPointF& point) {
            return point.x() >= area.left() - 0.01 && point.x() <= area.right() + 0.01
                && point.y() >= area.top() - 0.01 && point.y() <= area.bottom() + 0.01;
        };
        for (const DrawnPage& page : pages) {
            for (const QLineF& line : page.lines)
                if (!inside(line.p1()) || !inside(line.p2()))
                    return QStringLiteral("line at x %1..%2 of %3").arg(line.x1()).arg(line.x2()).arg(width());
            for (const DrawnText& drawn : page.texts)
                if (!inside(drawn.baseline) || !inside(QPointF(RightOf(drawn), drawn.baseline.y())))
                    return QStringLiteral("text \"%1\" at x %2..%3 of %4")
                        .arg(drawn.text)
                        .arg(drawn.baseline.x())
                        .arg(RightOf(drawn))
                        .arg(width());
        }
        return QString();
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
// portrait page at that resolution.
TextGrid OneColumnGrid(double share, int dpi = 1200)
{
    const RecordingDevice portrait(dpi);
    const QFontMetricsF bold(Font(10, true), &portrait);
    QString text = "1";
    while (bold.horizontalAdvance(text) < share * portrait.width())
        text += QLatin1Char('W');
    return TextGrid{{{text}, {"2"}}};
}

QByteArray RowName(const char* name, int dpi)
{
    return QByteArray(name) + " at " + QByteArray::number(dpi) + " dpi";
}

// Both journals at every resolution: the yearly one as the meter fills it
// and at its widest, and a consumption journal of diaryRows rows.
void JournalRows(int diaryRows)
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<TextGrid>("grid");

    for (const int dpi : Resolutions) {
        QTest::newRow(RowName("yearly journal", dpi)) << dpi << YearGrid();
        QTest::newRow(RowName("widest yearly journal", dpi)) << dpi << WidestYearGrid();
        QTest::newRow(RowName("consumption journal", dpi)) << dpi << DiaryGrid(diaryRows);
    }
}

} // namespace

class TestGridPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    // Widths are of the whole table, with its outer borders, against the
    // page width after any turn; nothing lies outside the page.
    void tableFitsThePage_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<TextGrid>("grid");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("least");
        QTest::addColumn<double>("most");

        for (const int dpi : Resolutions) {
            // Widened in steps of 6/5 until four fifths of the page: never
            // less, and less than one step more.
            QTest::newRow(RowName("narrow table widened", dpi))
                << dpi << TextGrid{{{"1", "2"}, {"3", "4"}}} << false << 0.8 << 0.97;
            QTest::newRow(RowName("half the page widened", dpi))
                << dpi << OneColumnGrid(0.5, dpi) << false << 0.8 << 0.97;
            // Wider than the portrait page: the page turns, and the table
            // is spread over the turned page; wider than the turned page
            // too, it is printed smaller, as wide as the page.
            QTest::newRow(RowName("wider than portrait", dpi))
                << dpi << OneColumnGrid(1.05, dpi) << true << 0.8 << 0.97;
            QTest::newRow(RowName("wider than landscape", dpi))
                << dpi << OneColumnGrid(1.6, dpi) << true << 0.999 << 1.0;
            QTest::newRow(RowName("widest yearly journal", dpi)) << dpi << WidestYearGrid() << true << 0.8 << 1.0;
        }
    }
    void tableFitsThePage()
    {
        QFETCH(int, dpi);
        QFETCH(TextGrid, grid);
        QFETCH(bool, landscape);
        QFETCH(double, least);
        QFETCH(double, most);

        RecordingDevice device(dpi);
        PrintGrid(grid, Title, device);

        QCOMPARE(device.pageLayout().orientation() == QPageLayout::Landscape, landscape);
        QCOMPARE(device.width() > device.height(), landscape);
        const double share = device.TableWidth() / device.width();
        QVERIFY2(share >= least && share <= most + 1e-9, qPrintable(QString::number(share)));
        QVERIFY2(device.Outside().isEmpty(), qPrintable(device.Outside()));
    }

    // Both journals, as the meter fills them, on every page of the job:
    // every rule, border and text lies on the page.
    void journalsStayOnThePage_data()
    {
        JournalRows(250);
    }
    void journalsStayOnThePage()
    {
        QFETCH(int, dpi);
        QFETCH(TextGrid, grid);

        RecordingDevice device(dpi);
        PrintGrid(grid, Title, device);

        QVERIFY2(device.Outside().isEmpty(), qPrintable(device.Outside()));
        for (int page = 0; page < device.pages.size(); ++page)
            QCOMPARE(device.Borders(page).size(), grid.ColumnCount() + 1);
    }

    // Between four fifths and the whole page width a table keeps the width
    // of its texts: the widest text of each column plus 16 dots, and a dot
    // between columns and at the outer borders.
    void tableOfFittingWidthKeepsItsWidth_data()
    {
        QTest::addColumn<int>("dpi");
        for (const int dpi : Resolutions)
            QTest::newRow(RowName("table", dpi)) << dpi;
    }
    void tableOfFittingWidthKeepsItsWidth()
    {
        QFETCH(int, dpi);
        RecordingDevice device(dpi);
        const QFontMetricsF bold(Font(10, true), &device);
        QString text;
        while (bold.horizontalAdvance(text) < device.width() * 17 / 20)
            text += QLatin1Char('W');
        const TextGrid grid{{{text, "1"}, {"2", "3"}}};

        PrintGrid(grid, Title, device);

        QCOMPARE(device.pageLayout().orientation(), QPageLayout::Portrait);
        const qreal unit = Unit(device);
        const qreal expected = unit + (bold.horizontalAdvance(text) + 16 * unit + unit)
            + (bold.horizontalAdvance("3") + 16 * unit + unit);
        QVERIFY2(Near(device.TableWidth(), expected), qPrintable(QString::number(device.TableWidth())));
    }

    // Every cell text ends 8 dots before its column's right edge and
    // stands inside its row; the table is centred on the page.
    void textsSitInTheirCells_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<TextGrid>("grid");

        for (const int dpi : Resolutions) {
            QTest::newRow(RowName("yearly journal", dpi)) << dpi << YearGrid();
            QTest::newRow(RowName("consumption journal", dpi)) << dpi << DiaryGrid(5);
            QTest::newRow(RowName("empty cells", dpi)) << dpi << TextGrid{{{"a", "", "c"}, {"", "b", ""}}};
        }
        // Printed smaller: the same proportions, scaled.
        QTest::newRow("widest yearly journal at 96 dpi") << 96 << WidestYearGrid();
    }
    void textsSitInTheirCells()
    {
        QFETCH(int, dpi);
        QFETCH(TextGrid, grid);

        RecordingDevice device(dpi);
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
            QVERIFY(Near(rules[row].y1(), rules.first().y1() + row * rowHeight));

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
                // Distances scale with the text when the table is printed
                // smaller.
                const qreal unit = Unit(device) * drawn->scale;
                const QFontMetricsF metrics(drawn->font, &device);
                // A column's right edge lies 1 dot before the next column's
                // border; the last one's is the table's.
                const qreal rightEdge =
                    column + 1 == grid.ColumnCount() ? borders.last() : borders[column + 1] - unit;
                QVERIFY2(Near(device.RightOf(*drawn), rightEdge - 8 * unit),
                    qPrintable(QStringLiteral("%1 ends at %2, not %3")
                            .arg(text)
                            .arg(device.RightOf(*drawn), 0, 'f', 4)
                            .arg(rightEdge - 8 * unit, 0, 'f', 4)));
                QVERIFY(drawn->baseline.y() - drawn->scale * metrics.ascent() >= rules[row].y1());
                QVERIFY(drawn->baseline.y() + drawn->scale * metrics.descent() <= rules[row + 1].y1());
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
        QVERIFY(Near(stamp.baseline.x(), 10 * Unit(device)));
        QCOMPARE(stamp.font.pointSize(), 8);
        QVERIFY(stamp.font.underline());

        const DrawnText& title = texts[1];
        QCOMPARE(title.text, Title);
        QCOMPARE(title.font.pointSize(), 11);
        QVERIFY(title.font.bold());
        const qreal titleWidth = QFontMetricsF(title.font, &device).horizontalAdvance(Title);
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
        const QFontMetricsF numberMetrics(number.font, &device);
        QVERIFY(Near(number.baseline.y() - numberMetrics.ascent(), device.width() / 20.0));
        const qreal numberCentre = number.baseline.x() + numberMetrics.horizontalAdvance(number.text) / 2;
        QVERIFY(qAbs(numberCentre - device.width() / 2.0) <= 1);
        const qreal lineHeight = QFontMetricsF(Font(10, false), &device).height();
        QVERIFY(Near(title.baseline.y() - QFontMetricsF(title.font, &device).ascent(),
            device.width() / 20.0 + 3 * lineHeight / 2));
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

    // Printed through a printer at its resolution with a printer's margins
    // and read back: every word lies inside the printable area, and the
    // first and the last column are there.
    void printedWordsStayInsideTheMargins_data()
    {
        JournalRows(40);
    }
    void printedWordsStayInsideTheMargins()
    {
        QFETCH(int, dpi);
        QFETCH(TextGrid, grid);

        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("journal.pdf"));
        printer.setResolution(dpi);
        const qreal margin = 36; // half an inch, in points
        printer.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Point);
        PrintGrid(grid, Title, printer);

        const PdfPageWords page = PdfWordBoxes(printer.outputFileName(), 1);
        QVERIFY(!page.size.isEmpty());
        const QRectF printable = QRectF(QPointF(0, 0), page.size).adjusted(margin, margin, -margin, -margin);
        QStringList words;
        for (const PdfWord& word : page.words) {
            words << word.text;
            QVERIFY2(printable.adjusted(-0.5, -0.5, 0.5, 0.5).contains(word.box),
                qPrintable(QStringLiteral("%1 at x %2..%3 of %4")
                        .arg(word.text)
                        .arg(word.box.left())
                        .arg(word.box.right())
                        .arg(page.size.width())));
        }
        const QString first = grid.Cell(0, 0).section(QLatin1Char(' '), 0, 0);
        const QString last = grid.Cell(grid.ColumnCount() - 1, 0).section(QLatin1Char(' '), -1);
        QVERIFY2(words.contains(first) && words.contains(last), qPrintable(words.join(' ')));
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
