#include "window/meter/readings_binding.h"

#include "meter/meter_readings.h"
#include "window/meter/tab_about.h"

#include <QListWidget>
#include <QTableWidget>

namespace {

// Column 0 holds the row's caption; the values follow it.
void ShowValue(QTableWidget* list, int row, int valueColumn, const QString& text)
{
    list->item(row, valueColumn + 1)->setText(text);
}

void ShowIndicator(QListWidget* list, int item, bool on)
{
    list->item(item)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

} // namespace

void BindReadings(MeterReadings& readings, const TabAbout& tab)
{
    for (int row = 0; row < MeterReadings::MainRows; ++row)
        ShowValue(tab.ListMain, row, 0, readings.Main(row));
    for (int row = 0; row < MeterReadings::AddiRows; ++row) {
        ShowValue(tab.ListAddi, row, MeterReadings::Current, readings.Addi(row, MeterReadings::Current));
        ShowValue(tab.ListAddi, row, MeterReadings::Settlement, readings.Addi(row, MeterReadings::Settlement));
    }
    for (int item = 0; item < MeterReadings::IndicatorItems; ++item)
        ShowIndicator(tab.CheckListIndi, item, readings.Indicator(item));

    QObject::connect(&readings, &MeterReadings::MainChanged, tab.ListMain,
                     [list = tab.ListMain](int row, const QString& text) { ShowValue(list, row, 0, text); });
    QObject::connect(&readings, &MeterReadings::AddiChanged, tab.ListAddi,
                     [list = tab.ListAddi](int row, int column, const QString& text) {
                         ShowValue(list, row, column, text);
                     });
    QObject::connect(&readings, &MeterReadings::IndicatorChanged, tab.CheckListIndi,
                     [list = tab.CheckListIndi](int item, bool on) { ShowIndicator(list, item, on); });
}
