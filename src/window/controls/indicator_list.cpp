#include "window/controls/indicator_list.h"

#include "meter/meter_readings.h"
#include "window/controls/fit_on_font_change.h"
#include "window/controls/named.h"

#include <QListWidget>

QListWidget* IndicatorList(const char* name)
{
    auto* list = Named(new QListWidget, name);
    for (const QString& caption : MeterReadings::IndicatorCaptions()) {
        auto* item = new QListWidgetItem(caption, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    new FitOnFontChange(list, [list] {
        list->setFixedHeight(list->sizeHintForRow(0) * list->count() + 2 * list->frameWidth());
    });
    return list;
}
