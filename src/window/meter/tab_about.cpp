#include "window/meter/tab_about.h"

#include "meter/meter_readings.h"
#include "meter/value_formats.h"
#include "protocol/meter_calendar.h"
#include "window/controls/edit_caption.h"
#include "window/controls/fit_on_font_change.h"
#include "window/controls/indicator_list.h"
#include "window/controls/named.h"
#include "window/controls/read_only_view.h"

#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <limits>

namespace {

struct Column {
    QString header;
    int width;
};

// Room a cell's text needs beside its advance: the cell's margins and the grid line.
constexpr int CellPadding = 10;

// The widest texts a value column can hold, formatted as the readings
// format them for this workstation.
QStringList WidestValues()
{
    const QDateTime epoch(MeterEpoch(), QTime(0, 0));
    const qint64 lateStamp = epoch.secsTo(QDateTime(QDate(2088, 12, 28), QTime(23, 58, 58)));
    return {MeterDateTimeText(lateStamp), FormatOperatingTime(std::numeric_limits<quint32>::max()),
            RealText(99999999.0)};
}

// Value columns are at least as wide as designed, wider when this
// platform's font needs it; captions keep their column and wrap instead.
void FitColumns(QTableWidget* list, const QList<Column>& columns)
{
    const QFontMetrics metrics = list->fontMetrics();
    int valueWidth = 0;
    for (const QString& text : WidestValues())
        valueWidth = qMax(valueWidth, metrics.horizontalAdvance(text) + CellPadding);
    for (int c = 0; c < columns.size(); ++c)
        list->setColumnWidth(c, c == 0 ? columns[c].width : qMax(columns[c].width, valueWidth));
}

void FitRows(QTableWidget* list)
{
    QHeaderView* rows = list->verticalHeader();
    rows->setMinimumSectionSize(list->fontMetrics().height() + 4);
    list->resizeRowsToContents();
    int height = list->horizontalHeader()->sizeHint().height() + 2 * list->frameWidth();
    for (int row = 0; row < list->rowCount(); ++row)
        height += list->rowHeight(row);
    int width = 2 * list->frameWidth();
    for (int c = 0; c < list->columnCount(); ++c)
        width += list->columnWidth(c);
    list->setFixedSize(width, height);
}

// A read-only list of fixed rows: the caption, then the values; big enough
// to show every row and every value, and not sorted by its headers.
QTableWidget* ReadingsList(const char* name, const QStringList& captions, const QList<Column>& columns)
{
    auto* list = Named(new QTableWidget(int(captions.size()), int(columns.size())), name);
    MakeReadOnly(list);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(true);
    list->setWordWrap(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->verticalHeader()->hide();
    // Rows keep the height of their caption whatever value comes in.
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = list->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    for (int c = 0; c < columns.size(); ++c)
        list->setHorizontalHeaderItem(c, new QTableWidgetItem(columns[c].header));
    for (int row = 0; row < captions.size(); ++row) {
        for (int c = 0; c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? captions[row] : QString());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            list->setItem(row, c, item);
        }
    }
    new FitOnFontChange(list, [list, columns] {
        FitColumns(list, columns);
        FitRows(list);
    });
    return list;
}

QLayout* DeltaRow(QLineEdit* edit)
{
    auto* row = new QHBoxLayout;
    row->addWidget(AttachCaption(edit, QStringLiteral("Уход за сутки (сек.) : ")));
    row->addWidget(edit);
    row->addStretch();
    return row;
}

} // namespace

TabAbout TabAbout::Create()
{
    TabAbout tab{};
    tab.page = NamedPage("TabAbout");

    const QStringList& addiColumns = MeterReadings::AddiColumns();
    tab.ListMain = ReadingsList("ListMain", MeterReadings::MainCaptions(), {{QString(), 195}, {QString(), 113}});
    tab.ListAddi = ReadingsList("ListAddi", MeterReadings::AddiCaptions(),
                                {{QString(), 155}, {addiColumns[0], 75}, {addiColumns[1], 75}});
    tab.CheckListIndi = IndicatorList("CheckListIndi");
    // The meter's indicator mode is shown, never chosen here.
    tab.CheckListIndi->setEnabled(false);
    tab.EditDelta = Named(new QLineEdit, "EditDelta");
    tab.EditDelta->setReadOnly(true);
    tab.EditDelta->setFixedWidth(80);

    auto* grid = new QGridLayout(tab.page);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(4);
    grid->addWidget(tab.ListMain, 0, 0, Qt::AlignTop);
    grid->addWidget(tab.ListAddi, 0, 1, Qt::AlignTop);
    grid->addLayout(DeltaRow(tab.EditDelta), 1, 0, Qt::AlignTop);
    auto* indicator = new QVBoxLayout;
    indicator->addWidget(new QLabel(QStringLiteral("Индикатор :")));
    indicator->addWidget(tab.CheckListIndi);
    grid->addLayout(indicator, 1, 1, Qt::AlignTop);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return tab;
}
