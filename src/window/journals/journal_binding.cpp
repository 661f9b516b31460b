#include "window/journals/journal_binding.h"

#include "journals/grid_export.h"
#include "journals/grid_print.h"
#include "journals/journal_reads.h"
#include "station/station_core.h"
#include "window/journals/diary_tooltip.h"
#include "window/journals/printer_choice.h"
#include "window/journals/tab_journal.h"

#include <QDesktopServices>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <functional>

namespace {

const QString YearJournalName = QStringLiteral("Годовой журнал");
const QString DiaryName = QStringLiteral("Журнал потребления");

void ShowYear(const TextGrid& year, QTableWidget& grid)
{
    for (int row = 0; row < grid.rowCount(); ++row)
        for (int column = 0; column < grid.columnCount(); ++column)
            grid.item(row, column)->setText(year.Cell(column, row));
}

// A row read while the operator looks through the list goes in without
// disturbing them: the selection stays on its row, and once they have
// scrolled, the rows in view stay in view though rows arrive above them.
// At the top the list stays at the top.
void AddDiaryRow(const QStringList& row, int index, QTreeWidget& list)
{
    QTreeWidgetItem* top = list.verticalScrollBar()->value() > 0 ? list.itemAt(0, 0) : nullptr;
    list.insertTopLevelItem(index, new QTreeWidgetItem(row));
    if (top)
        list.scrollToItem(top, QAbstractItemView::PositionAtTop);
}

void OpenFile(const QString& path)
{
    // A workstation without a spreadsheet program still has the file.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

// A journal's table as it stands when a button is pressed, and its title.
struct JournalView {
    std::function<TextGrid()> table;
    std::function<QString()> title;
};

void BindOutput(const JournalView& view, QPushButton* exportButton, QPushButton* printButton, Dialogs& dialogs,
    PrinterChoice& printer)
{
    QObject::connect(exportButton, &QPushButton::clicked, exportButton,
        [view, &dialogs] { ExportGridToXls(view.table(), view.title(), dialogs, OpenFile); });
    printButton->setEnabled(printer.CanPrint());
    QObject::connect(printButton, &QPushButton::clicked, printButton, [view, &printer] {
        if (QPagedPaintDevice* device = printer.Ask())
            PrintGrid(view.table(), view.title(), *device);
    });
}

} // namespace

void BindJournals(
    StationCore& core, const TabJournal& tab, Dialogs& dialogs, PrinterChoice& printer, TFormStatus& statusDialog)
{
    JournalReads& journals = core.journals;
    QObject::connect(tab.BtnReadJournalYear, &QPushButton::clicked, &journals,
        &JournalReads::BtnReadJournalYearClick);
    QObject::connect(tab.BtnReadDiary, &QPushButton::clicked, &journals, &JournalReads::BtnReadDiaryClick);

    QObject::connect(&journals, &JournalReads::YearChanged, tab.GridJournal,
        [&journals, grid = tab.GridJournal] { ShowYear(journals.YearGrid(), *grid); });
    QObject::connect(&journals, &JournalReads::DiaryCleared, tab.ListDiary, &QTreeWidget::clear);
    QObject::connect(&journals, &JournalReads::DiaryRowAdded, tab.ListDiary,
        [&journals, list = tab.ListDiary](int index) { AddDiaryRow(journals.DiaryRows()[index], index, *list); });
    QObject::connect(&journals, &JournalReads::GaugeChanged, tab.GaugeJournal,
        [gauge = tab.GaugeJournal](int position, int maximum) {
            gauge->setRange(0, maximum);
            gauge->setValue(position);
        });
    ShowYear(journals.YearGrid(), *tab.GridJournal);
    new DiaryTooltip(*tab.ListDiary, statusDialog);

    const JournalView year{[&journals] { return journals.YearGrid(); },
        [&journals] { return JournalTitle(journals.YearMeterNumber(), YearJournalName); }};
    const JournalView diary{[&journals] { return ListToGrid(JournalReads::DiaryCaptions(), journals.DiaryRows()); },
        [&journals] { return JournalTitle(journals.DiaryMeterNumber(), DiaryName); }};
    BindOutput(year, tab.BtnExportJournalYear, tab.BtnPrintJournalYear, dialogs, printer);
    BindOutput(diary, tab.BtnExportDiary, tab.BtnPrintDiary, dialogs, printer);
}
