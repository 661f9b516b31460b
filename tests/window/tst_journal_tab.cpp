// The journals' tab as the operator uses it: both journals read from the
// simulated meter, shown, exported to workbooks that another program reads
// back, and printed.

#include "opened_urls.h"
#include "pdf_tools.h"
#include "session_fixture.h"
#include "xls_reader.h"

#include "journals/journal_reads.h"
#include "window/journals/diary_tooltip.h"
#include "window/journals/printer_choice.h"

#include <QEventLoop>
#include <QHeaderView>
#include <QJsonArray>
#include <QProgressBar>
#include <QPushButton>
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

// The first sheet's rows as another program reads them.
QJsonArray SheetRows(const QString& path)
{
    return ReadXls(path)["sheets"].toArray()[0].toObject()["rows"].toArray();
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
    }

    // The status under the mouse, decoded; other columns show nothing.
    void statusTooltip()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        auto* list = Find<QTreeWidget>(*form, "ListDiary");
        list->addTopLevelItem(new QTreeWidgetItem({"1", "01.01.00 00:00:00", "255", "однот.", "1,000", "0:00:00"}));
        const QRect status = list->visualItemRect(list->topLevelItem(0));
        const int y = status.center().y();
        const int statusX = list->header()->sectionViewportPosition(2) + 5;
        ListDiaryMouseMove(*list, statusX, y);
        QCOMPARE(list->toolTip(), QStringLiteral("Выключение питания\n"));
        ListDiaryMouseMove(*list, list->header()->sectionViewportPosition(1) + 5, y);
        QVERIFY(list->toolTip().isEmpty());
        list->topLevelItem(0)->setText(2, QStringLiteral("x"));
        ListDiaryMouseMove(*list, statusX, y);
        QVERIFY(list->toolTip().isEmpty());
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
