#include "window/meter/setting_binding.h"

#include "meter/meter_readings.h"
#include "window/controls/input_fields.h"
#include "window/meter/tab_setting.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <type_traits>

namespace {

template <typename Value>
Value Shown(const QDateTimeEdit* picker)
{
    if constexpr (std::is_same_v<Value, QDate>)
        return picker->date();
    else
        return picker->time();
}

template <typename Value>
void Show(QDateTimeEdit* picker, const Value& value)
{
    if constexpr (std::is_same_v<Value, QDate>)
        picker->setDate(value);
    else
        picker->setTime(value);
}

// A picker follows the workstation clock the core puts into its field
// until the operator changes it: only a value other than the field's is
// the operator's, and marks the picker as edited.
template <typename Value>
void Picker(InputFields& fields, QDateTimeEdit* picker, Value& field, bool& edited)
{
    QObject::connect(picker, &QDateTimeEdit::dateTimeChanged, &fields, [picker, &field, &edited] {
        const Value shown = Shown<Value>(picker);
        if (shown == field)
            return;
        field = shown;
        edited = true;
    });
    fields.Follow([picker, &field] {
        if (field.isValid() && Shown<Value>(picker) != field)
            Show(picker, field);
    });
}

void IndicatorItems(InputFields& fields, QListWidget* list, std::array<bool, MeterReadings::IndicatorItems>& ticks)
{
    QObject::connect(list, &QListWidget::itemChanged, &fields, [list, &ticks](QListWidgetItem* item) {
        ticks[list->row(item)] = item->checkState() == Qt::Checked;
    });
    fields.Follow([list, &ticks] {
        for (int row = 0; row < list->count(); ++row) {
            const Qt::CheckState state = ticks[row] ? Qt::Checked : Qt::Unchecked;
            if (list->item(row)->checkState() != state)
                list->item(row)->setCheckState(state);
        }
    });
}

void BindMeterLimits(MeterReadings& readings, const TabSetting& tab)
{
    tab.SpinEdit_Number->setEnabled(readings.NumberEditable());
    QObject::connect(&readings, &MeterReadings::NumberEditableChanged, tab.SpinEdit_Number, &QWidget::setEnabled);
    tab.BitBtn1->setEnabled(readings.NumberAllocatable());
    QObject::connect(&readings, &MeterReadings::NumberAllocatableChanged, tab.BitBtn1, &QWidget::setEnabled);

    const auto showDdmAvailable = [box = tab.CheckDDM](bool available) {
        if (!available)
            box->setChecked(false);
        box->setEnabled(available);
    };
    showDdmAvailable(readings.DdmAvailable());
    QObject::connect(&readings, &MeterReadings::DdmAvailableChanged, tab.CheckDDM, showDdmAvailable);
}

} // namespace

void BindSetting(WriteInputs& inputs, MeterReadings& readings, const TabSetting& tab, QLineEdit* LabeledPass2)
{
    SettingsInputs& settings = inputs.settings;
    auto* fields = new InputFields(inputs, tab.page);
    fields->Check(tab.CheckTime, settings.checkTime);
    fields->Check(tab.CheckShedule, settings.checkSchedule);
    fields->Check(tab.CheckIndi, settings.checkIndi);
    fields->Check(tab.CheckIntegra, settings.checkIntegra);
    fields->Check(tab.CheckPassword, settings.checkPassword);
    fields->Check(tab.CheckDDM, settings.checkDdm);
    fields->Check(tab.CheckResetTariff, settings.checkResetTariff);
    fields->Check(tab.CheckResetRdh, settings.checkResetRdh);

    Picker(*fields, tab.DatePicker, settings.date, settings.dateEdited);
    Picker(*fields, tab.TimePicker, settings.time, settings.timeEdited);
    fields->Check(tab.CheckBoxClock, settings.dst);
    fields->Spin(tab.SpinEdit_Number, settings.number);
    fields->Spin(tab.SpinDay, settings.day);
    fields->Spin(tab.SpinHour, settings.hour);
    fields->Spin(tab.SpinIntegra, settings.integra);
    fields->Text(tab.LabeledPass1, settings.newPassword);
    fields->Text(LabeledPass2, settings.accessPassword);
    IndicatorItems(*fields, tab.CheckSetIndi, settings.indicator);
    fields->Spin(tab.SpinDDM, settings.ddmNumber);
    fields->Combo(tab.ComboTarifDDM, settings.ddmMode);
    fields->Refresh();

    BindMeterLimits(readings, tab);
}
