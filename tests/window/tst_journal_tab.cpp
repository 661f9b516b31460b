// The journals' tab as the operator uses it: both journals read from the
// simulated meter, shown, exported to workbooks that another program reads
// back, and printed; the grid's captions in view however it is scrolled,
// the list undisturbed while a read fills it, the status tooltip and the
// status dialog, and the system's printer keeping its orientation.

#include "opened_urls.h"
#include "pdf_tools.h"
#include "session_fixture.h"
#include "xls_reader.h"

#include "journals/grid_print.h"
#include "journals/journal_reads.h"
#include "window/journals/diary_tooltip.h"
#include "window/journals/printer_choice.h"
#include "window/meter/form_status.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QHeaderView>
#include <QJsonArray>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

// 250 requests at the line rate, each with its send tick.
constexpr int DiaryTimeoutMs = 120000;

// A PDF file in place of the printer; the dialog stays open a while with
// its own event loop, as the system's does.
class PdfPrinter : public PrinterChoice {
public:
    explicit PdfPrinter(const QString& path)
    {
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(path);
    }
    bool CanPrint() const override { return installed; }
    QPagedPaintDevice* Ask() override
    {
        ++asked;
        QEventLoop dialog;
        QTimer::singleShot(50, &dialog, &QEventLoop::quit);
        dialog.exec();
        return confirm ? &printer_ : nullptr;
    }

    bool installed = true;
    bool confirm = true;
    int asked = 0;

private:
    QPrinter printer_;
};

// The system's printer and print dialog on a workstation that has a
// printer installed.
class InstalledPrinter : public SystemPrinter {
public:
    InstalledPrinter() : SystemPrinter(nullptr) {}
    bool CanPrint() const override { return true; }
};

// Confirms every dialog as soon as it is shown, as an operator who only
// presses OK, and counts them.
class ConfirmingOperator : public QObject {
public:
    ConfirmingOperator()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++confirmed;
                dialog->accept();
            }
        });
        timer_.start(20);
    }
    int confirmed = 0;

private:
    QTimer timer_;
};

// Whether the first page of a PDF file is wider than high.
bool LandscapePdf(const QString& path)
{
    const QRegularExpressionMatch size =
        QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+))").match(ToolOutput("pdfinfo", {path}));
    return size.hasMatch() && size.captured(1).toDouble() > size.captured(2).toDouble();
}

void ShowJournalPage(TFormMain& form, int page)
{
    Find<QTabWidget>(form, "PageControl1")->setCurrentWidget(Find<QWidget>(form, "TabJournal"));
    Find<QTabWidget>(form, "PageJournal")->setCurrentIndex(page);
}

// The first sheet's rows as another program reads them.
QJsonArray SheetRows(const QString& path)
{
    return ReadXls(path)["sheets"].toArray().at(0).toObject()["rows"].toArray();
}

// The grid's text of a cell against what the workbook holds there: text
// stays text, numbers come back as numbers.
bool SameCell(const QString& text, const QJsonValue& cell)
{
    const QJsonArray kindAndValue = cell.toArray();
    if (kindAndValue[0].toString() == QStringLiteral("number"))
        return qFuzzyCompare(QLocale().toDouble(text.trimmed()) + 1, kindAndValue[1].toDouble() + 1);
    return kindAndValue[1].toString() == text;
}

} // namespace

class TestJournalTab : public QObject {
    Q_OBJECT

private slots:
    void controlsAtStart()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        for (const char* name : {"BtnReadJournalYear", "BtnReadDiary"})
            QVERIFY2(!Find<QPushButton>(*form, name)->isEnabled(), name);
        QVERIFY(!Find<QProgressBar>(*form, "GaugeJournal")->isVisibleTo(form.get()));

        auto* grid = Find<QTableWidget>(*form, "GridJournal");
        QCOMPARE(grid->rowCount(), 13);
        QCOMPARE(grid->columnCount(), 13);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("месяц"));
        QCOMPARE(grid->item(0, 12)->text(), QStringLiteral("наработка"));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("янв."));
        QCOMPARE(grid->item(12, 0)->text(), QStringLiteral("дек."));
        QVERIFY(grid->item(1, 1)->text().isEmpty());

        auto* list = Find<QTreeWidget>(*form, "ListDiary");
        QCOMPARE(list->columnCount(), 6);
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Запись №"));
        QCOMPARE(list->columnWidth(1), 140);
    }

    // Print buttons follow the installed printers; export is always there.
    void printButtonsNeedAPrinter_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::newRow("a printer") << true;
        QTest::newRow("none") << false;
    }
    void printButtonsNeedAPrinter()
    {
        QFETCH(bool, installed);
        FormFixture fixture;
        PdfPrinter printer(fixture.startDir.filePath("out.pdf"));
        printer.installed = installed;
        auto form = OpenWithPrinter(fixture, printer);
        for (const char* name : {"BtnPrintJournalYear", "BtnPrintDiary"})
            QCOMPARE(Find<QPushButton>(*form, name)->isEnabled(), installed);
        for (const char* name : {"BtnExportJournalYear", "BtnExportDiary"})
            QVERIFY(Find<QPushButton>(*form, name)->isEnabled());
    }

    // Both journals read through the link, exported and printed: the
    // workbook holds what the window shows.
    void readExportAndPrint()
    {
        SessionFixture fixture;
        PdfPrinter printer(fixture.startDir.filePath("journal.pdf"));
        fixture.form = OpenWithPrinter(fixture, printer);
        fixture.form->show();
        TFormMain& form = fixture.Window();
        fixture.ConnectAndPoll();
        OpenedUrls opened({QStringLiteral("file")});
        Find<QTabWidget>(form, "PageControl1")->setCurrentWidget(Find<QWidget>(form, "TabJournal"));

        auto* grid = Find<QTableWidget>(form, "GridJournal");
        auto* read = Find<QPushButton>(form, "BtnReadJournalYear");
        QTRY_VERIFY(read->isEnabled());
        QTest::mouseClick(read, Qt::LeftButton);
        QTRY_VERIFY(Find<QProgressBar>(form, "GaugeJournal")->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!grid->item(12, 4)->text().isEmpty(), SessionTimeoutMs);
        QVERIFY(grid->item(12, 0)->text().endsWith(QStringLiteral(" дек.")));

        const QString yearFile = fixture.startDir.filePath("year.xls");
        fixture.dialogs.saveFile = yearFile;
        QTest::mouseClick(Find<QPushButton>(form, "BtnExportJournalYear"), Qt::LeftButton);
        QCOMPARE(opened.urls.value(0), QUrl::fromLocalFile(yearFile));
        const QJsonArray year = SheetRows(yearFile);
        QCOMPARE(year.size(), 14);
        QVERIFY(year[0].toArray()[0].toArray()[1].toString().endsWith(QStringLiteral("Годовой журнал")));
        for (int row = 0; row < grid->rowCount(); ++row)
            for (int column = 0; column < grid->columnCount(); ++column)
                QVERIFY2(SameCell(grid->item(row, column)->text(), year[row + 1].toArray()[column]),
                    qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(column)));
        QCOMPARE(year[3].toArray()[4].toArray()[0].toString(), QStringLiteral("number"));

        auto* list = Find<QTreeWidget>(form, "ListDiary");
        QTest::mouseClick(Find<QPushButton>(form, "BtnReadDiary"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Find<QProgressBar>(form, "GaugeJournal")->value() == 249, DiaryTimeoutMs);
        QTRY_COMPARE(list->topLevelItemCount(), int(form.Core().journals.DiaryRows().size()));
        QVERIFY(list->topLevelItemCount() > 0);
        for (int row = 1; row < list->topLevelItemCount(); ++row)
            QVERIFY(list->topLevelItem(row - 1)->text(0).toInt() < list->topLevelItem(row)->text(0).toInt());

        const QString diaryFile = fixture.startDir.filePath("diary.xls");
        fixture.dialogs.saveFile = diaryFile;
        QTest::mouseClick(Find<QPushButton>(form, "BtnExportDiary"), Qt::LeftButton);
        const QJsonArray diary = SheetRows(diaryFile);
        QCOMPARE(diary.size(), list->topLevelItemCount() + 2);
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            for (int column = 0; column < list->columnCount(); ++column)
                QVERIFY(SameCell(list->topLevelItem(row)->text(column), diary[row + 2].toArray()[column]));

        QTest::mouseClick(Find<QPushButton>(form, "BtnPrintDiary"), Qt::LeftButton);
        QCOMPARE(printer.asked, 1);
        QVERIFY(PdfPages(fixture.startDir.filePath("journal.pdf")) >= 1);
        Find<QTabWidget>(form, "PageJournal")->setCurrentIndex(1);
        SaveScreenshot(form, QStringLiteral("journal_diary"));
        Find<QTabWidget>(form, "PageJournal")->setCurrentIndex(0);
        SaveScreenshot(form, QStringLiteral("journal_year"));
        grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
        SaveScreenshot(form, QStringLiteral("journal_year_scrolled"));
    }

    // The status under the mouse goes into the status dialog, and the
    // tooltip is what the dialog decodes; other columns, and texts that
    // are no status, show nothing and leave the dialog as it was.
    void statusTooltip_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<int>("dialogShows");

        QTest::newRow("power off") << 2 << "255" << "Выключение питания\n" << 255;
        QTest::newRow("several lines") << 2 << "65"
                                       << "Дата и время таймера не установлены.\nПотребление ДДМ > ББ.\n" << 65;
        QTest::newRow("no line at all") << 2 << "3" << "" << 3;
        QTest::newRow("another column") << 1 << "255" << "" << 7;
        QTest::newRow("not a number") << 2 << "x" << "" << 7;
        QTest::newRow("beyond a byte") << 2 << "256" << "" << 7;
    }
    void statusTooltip()
    {
        QFETCH(int, column);
        QFETCH(QString, status);
        QFETCH(QString, tooltip);
        QFETCH(int, dialogShows);

        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        auto* dialog = Find<TFormStatus>(*form, "FormStatus");
        auto* spin = Find<QSpinBox>(*dialog, "SpinEdit1");
        spin->setValue(7);
        auto* list = Find<QTreeWidget>(*form, "ListDiary");
        list->addTopLevelItem(new QTreeWidgetItem({"1", "01.01.00 00:00:00", status, "однот.", "1,000", "0:00:00"}));
        const int y = list->visualItemRect(list->topLevelItem(0)).center().y();

        ListDiaryMouseMove(*list, *dialog, list->header()->sectionViewportPosition(column) + 5, y);

        QCOMPARE(list->toolTip(), tooltip);
        QCOMPARE(spin->value(), dialogShows);
        if (!tooltip.isEmpty())
            QCOMPARE(Find<QPlainTextEdit>(*dialog, "Memo1")->toPlainText() + "\n", tooltip);
    }

    // The caption row and the month column stay where they are while the
    // grid scrolls the other way: what they show is the same before and
    // after.
    void yearGridCaptionsStayInView_data()
    {
        QTest::addColumn<Qt::Orientation>("scrolled");
        QTest::newRow("scrolled to the last column") << Qt::Horizontal;
        QTest::newRow("scrolled to the last row") << Qt::Vertical;
    }
    void yearGridCaptionsStayInView()
    {
        QFETCH(Qt::Orientation, scrolled);

        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        ShowJournalPage(*form, 0);
        auto* grid = Find<QTableWidget>(*form, "GridJournal");
        const int rowHeight = grid->rowHeight(1);
        // Lower than designed, so that there are rows to scroll to.
        grid->setFixedHeight(6 * rowHeight);
        QTRY_VERIFY(grid->verticalScrollBar()->maximum() > 0);
        QScrollBar* bar = scrolled == Qt::Horizontal ? grid->horizontalScrollBar() : grid->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        // The month column, 66 wide, left of the horizontal scroll bar;
        // the caption row above the vertical one.
        const QRect viewport = grid->viewport()->geometry();
        const QRect captions = scrolled == Qt::Horizontal
            ? QRect(0, 0, grid->frameWidth() + 66, viewport.bottom())
            : QRect(0, 0, viewport.right(), grid->frameWidth() + rowHeight);
        const QImage before = grid->grab(captions).toImage();

        bar->setValue(bar->maximum());

        QCOMPARE(grid->grab(captions).toImage(), before);
    }

    // While a read fills the list the operator scrolls down and selects a
    // record: the records arrive, many of them above, and the selected
    // record stays selected, the rows in view stay in view.
    void diaryUndisturbedWhileFilling()
    {
        SessionFixture fixture;
        TFormMain& form = fixture.Window();
        fixture.ConnectAndPoll();
        ShowJournalPage(form, 1);
        auto* list = Find<QTreeWidget>(form, "ListDiary");
        auto* read = Find<QPushButton>(form, "BtnReadDiary");
        QTRY_VERIFY(read->isEnabled());
        QTest::mouseClick(read, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(list->topLevelItemCount() >= 60, DiaryTimeoutMs);

        list->scrollToItem(list->topLevelItem(30), QAbstractItemView::PositionAtTop);
        QTreeWidgetItem* chosen = list->topLevelItem(33);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(chosen).center());
        QCOMPARE(list->selectedItems(), QList<QTreeWidgetItem*>{chosen});
        const QString chosenRecord = chosen->text(0);
        const QString topRecord = list->itemAt(0, 0)->text(0);
        const int count = list->topLevelItemCount();

        QTRY_VERIFY_WITH_TIMEOUT(list->topLevelItemCount() >= count + 60, DiaryTimeoutMs);
        SaveScreenshot(form, QStringLiteral("journal_diary_filling"));
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(0), chosenRecord);
        QCOMPARE(list->currentItem()->text(0), chosenRecord);
        QCOMPARE(list->itemAt(0, 0)->text(0), topRecord);
    }

    // A wide table turns the system's printer to landscape; the print
    // dialog of the next job leaves it so, and that job's narrow table is
    // printed on a landscape page too.
    void landscapeStaysForLaterJobs()
    {
        QTemporaryDir dir;
        InstalledPrinter choice;
        ConfirmingOperator operatorPressingOk;
        auto* printer = dynamic_cast<QPrinter*>(choice.Ask());
        QVERIFY(printer);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath("wide.pdf"));
        PrintGrid(TextGrid{{{QString(300, QLatin1Char('W'))}}}, QStringLiteral("wide"), *printer);
        QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(LandscapePdf(dir.filePath("wide.pdf")));

        printer->setOutputFileName(dir.filePath("narrow.pdf"));
        QCOMPARE(choice.Ask(), printer);
        QCOMPARE(operatorPressingOk.confirmed, 2);
        QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Landscape);
        PrintGrid(TextGrid{{{"1"}}}, QStringLiteral("narrow"), *printer);
        QVERIFY(LandscapePdf(dir.filePath("narrow.pdf")));
    }

    // A folder that cannot be written: the warning, no crash, no file, and
    // nothing opened.
    void exportRefused()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        OpenedUrls opened({QStringLiteral("file")});
        fixture.dialogs.saveFile = fixture.startDir.filePath("missing/year.xls");
        QTest::mouseClick(Find<QPushButton>(*form, "BtnExportJournalYear"), Qt::LeftButton);
        QCOMPARE(fixture.dialogs.saveQuestions, QStringList{"xls (*.xls); xls"});
        QCOMPARE(fixture.dialogs.messages.size(), 1);
        QVERIFY(fixture.dialogs.messages[0].endsWith(
            QStringLiteral("Файл не может быть создан в указанной директории, или файл с таким именем сейчас открыт!")));
        QVERIFY(opened.urls.isEmpty());
    }

private:
    static std::unique_ptr<TFormMain> OpenWithPrinter(FormFixture& fixture, PrinterChoice& printer)
    {
        fixture.printer = &printer;
        return fixture.Open();
    }
};

QTEST_MAIN(TestJournalTab)
#include "tst_journal_tab.moc"
