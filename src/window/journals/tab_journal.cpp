#include "window/journals/tab_journal.h"

#include "journals/journal_reads.h"
#include "window/journals/fixed_captions.h"
#include "window/controls/grid_lines_delegate.h"
#include "window/controls/named.h"
#include "window/controls/read_only_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int GridSize = 13;
constexpr int GridColumnWidth = 66;
constexpr int GridRowHeight = 15;
constexpr int DiaryColumnWidths[] = {65, 140, 50, 50, 100, 80};

QPushButton* Button(const char* name, const QString& caption)
{
    return Named(new QPushButton(caption), name);
}

QHBoxLayout* ButtonRow(QPushButton* read, QPushButton* exportButton, QPushButton* print)
{
    auto* row = new QHBoxLayout;
    row->addWidget(read);
    row->addWidget(exportButton);
    row->addWidget(print);
    row->addStretch();
    return row;
}

// The captions sit in row 0 and column 0 like a string grid's fixed cells:
// they stay in view while the values scroll.
QTableWidget* CreateGridJournal()
{
    auto* grid = Named(new QTableWidget(GridSize, GridSize), "GridJournal");
    grid->horizontalHeader()->setDefaultSectionSize(GridColumnWidth);
    grid->verticalHeader()->setMinimumSectionSize(GridRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(qMax(GridRowHeight, grid->fontMetrics().height() + 2));
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MakeReadOnly(grid);
    for (int row = 0; row < GridSize; ++row)
        for (int column = 0; column < GridSize; ++column)
            grid->setItem(row, column, new QTableWidgetItem);
    FixCaptionRowAndColumn(*grid);
    return grid;
}

QTreeWidget* CreateListDiary()
{
    auto* list = Named(new QTreeWidget, "ListDiary");
    list->setHeaderLabels(JournalReads::DiaryCaptions());
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, DiaryColumnWidths[column]);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setItemDelegate(new GridLinesDelegate(list));
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(false);
    // The status tooltip follows the mouse, not only a resting pointer.
    list->setMouseTracking(true);
    MakeReadOnly(list);
    return list;
}

} // namespace

TabJournal TabJournal::Create()
{
    TabJournal tab{};
    tab.page = NamedPage("TabJournal");
    tab.PageJournal = Named(new QTabWidget, "PageJournal");
    // The journals' pages are switched by flat buttons.
    tab.PageJournal->setDocumentMode(true);

    tab.TabYear = NamedPage("TabYear");
    tab.BtnReadJournalYear = Button("BtnReadJournalYear", QStringLiteral("Прочитать"));
    tab.BtnExportJournalYear = Button("BtnExportJournalYear", QStringLiteral("Экспорт"));
    tab.BtnPrintJournalYear = Button("BtnPrintJournalYear", QStringLiteral("Печать"));
    auto* caption = new QLabel(QStringLiteral("Годовой журнал"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
    tab.GridJournal = CreateGridJournal();
    auto* year = new QVBoxLayout(tab.TabYear);
    year->addLayout(ButtonRow(tab.BtnReadJournalYear, tab.BtnExportJournalYear, tab.BtnPrintJournalYear));
    year->addWidget(caption);
    year->addWidget(tab.GridJournal, 1);

    tab.TabDiary = NamedPage("TabDiary");
    tab.BtnReadDiary = Button("BtnReadDiary", QStringLiteral("Прочитать"));
    tab.BtnExportDiary = Button("BtnExportDiary", QStringLiteral("Экспорт"));
    tab.BtnPrintDiary = Button("BtnPrintDiary", QStringLiteral("Печать"));
    tab.ListDiary = CreateListDiary();
    auto* diary = new QVBoxLayout(tab.TabDiary);
    diary->addLayout(ButtonRow(tab.BtnReadDiary, tab.BtnExportDiary, tab.BtnPrintDiary));
    diary->addWidget(tab.ListDiary, 1);

    // Reads wait for a meter that answers: the link enables them.
    tab.BtnReadJournalYear->setEnabled(false);
    tab.BtnReadDiary->setEnabled(false);

    tab.PageJournal->addTab(tab.TabYear, QStringLiteral("Годовой журнал"));
    tab.PageJournal->addTab(tab.TabDiary, QStringLiteral("Журнал потребления"));
    tab.GaugeJournal = Named(new QProgressBar, "GaugeJournal");
    tab.GaugeJournal->hide();

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.PageJournal);
    column->addWidget(tab.GaugeJournal);
    return tab;
}
