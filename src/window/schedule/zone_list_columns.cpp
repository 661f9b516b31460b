#include "window/schedule/zone_list_columns.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>
#include <numeric>

namespace {

int HeaderMargin(const QHeaderView* header)
{
    return header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
}

// The longest word of the caption with the header's margins: narrower, a
// word would be cut.
int CaptionNeed(const QTreeWidget* list, int column)
{
    const QFontMetrics metrics(list->header()->font());
    int widest = 0;
    for (const QString& word : list->headerItem()->text(column).split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest + 2 * HeaderMargin(list->header());
}

void FitHeaderHeight(QTreeWidget* list)
{
    QHeaderView* header = list->header();
    const int margin = HeaderMargin(header);
    const QFontMetrics metrics(header->font());
    int tallest = 0;
    for (int column = 0; column < list->columnCount(); ++column) {
        const QRect room(0, 0, std::max(1, list->columnWidth(column) - 2 * margin), QWIDGETSIZE_MAX);
        tallest = std::max(tallest,
            metrics.boundingRect(room, Qt::TextWordWrap, list->headerItem()->text(column)).height());
    }
    header->setMinimumHeight(tallest + 2 * margin);
}

} // namespace

QList<int> ShareColumns(int width, const QList<int>& needs)
{
    const int count = int(needs.size());
    if (count == 0)
        return {};
    const int total = std::accumulate(needs.begin(), needs.end(), 0);
    QList<int> widths;
    if (width / count >= *std::max_element(needs.begin(), needs.end()))
        widths = QList<int>(count, width / count);
    else if (width >= total)
        for (const int need : needs)
            widths.append(need + (width - total) / count);
    else
        for (const int need : needs)
            widths.append(total > 0 ? need * width / total : 0);
    // Whatever the divisions leave goes to the last column.
    widths.last() += width - std::accumulate(widths.begin(), widths.end(), 0);
    return widths;
}

void FitZoneListColumns(QTreeWidget* list)
{
    QList<int> needs;
    for (int column = 0; column < list->columnCount(); ++column)
        needs.append(CaptionNeed(list, column));
    const QList<int> widths = ShareColumns(list->viewport()->width(), needs);
    for (int column = 0; column < list->columnCount(); ++column)
        list->setColumnWidth(column, widths.at(column));
    FitHeaderHeight(list);
}
