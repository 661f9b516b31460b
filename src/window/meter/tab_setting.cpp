#include "window/meter/tab_setting.h"

#include "meter/ddm_tariff_modes.h"
#include "meter/write_inputs.h"
#include "window/controls/edit_caption.h"
#include "window/controls/indicator_list.h"
#include "window/controls/named.h"
#include "window/controls/number_spin.h"
#include "window/controls/password_edit.h"
#include "window/controls/picker_sections.h"
#include "window/controls/tab_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A meter number is typed with at most six digits.
constexpr int NumberDigits = 6;
constexpr int LargestDdmNumber = 0xFFFFFF;

QCheckBox* Check(const char* name, const QString& caption)
{
    return Named(new QCheckBox(caption), name);
}

QGroupBox* TaskGroup(TabSetting& tab)
{
    tab.CheckTime = Check("CheckTime", QStringLiteral("Установить время"));
    tab.CheckShedule = Check("CheckShedule", QStringLiteral("Установить расч. день и час"));
    tab.CheckIndi = Check("CheckIndi", QStringLiteral("Установить индикацию"));
    tab.CheckIntegra = Check("CheckIntegra", QStringLiteral("Установить интегр. пик. мощности"));
    tab.CheckPassword = Check("CheckPassword", QStringLiteral("Записать новый пароль"));
    tab.CheckDDM = Check("CheckDDM", QStringLiteral("Записать № и режим ДДМ"));
    tab.CheckResetTariff = Check("CheckResetTariff", QStringLiteral("Сброс тарифного расписания"));
    tab.CheckResetRdh = Check("CheckResetRdh", QStringLiteral("Сброс показаний на РДЧ"));

    auto* column = new QVBoxLayout;
    for (QCheckBox* box : {tab.CheckTime, tab.CheckShedule, tab.CheckIndi, tab.CheckIntegra, tab.CheckPassword,
                           tab.CheckDDM, tab.CheckResetTariff, tab.CheckResetRdh})
        column->addWidget(box);
    column->addStretch();
    return Named(TitledGroup(QStringLiteral(" Установки для записи "), column), "GroupTask");
}

QGroupBox* TimeGroup(TabSetting& tab)
{
    tab.DatePicker = Named(new QDateEdit, "DatePicker");
    tab.DatePicker->setDisplayFormat(QStringLiteral("ddd d MMMM yyyy"));
    tab.DatePicker->setCalendarPopup(true);
    tab.TimePicker = Named(new QTimeEdit, "TimePicker");
    tab.TimePicker->setDisplayFormat(QStringLiteral("H:mm:ss"));
    SelectSectionOnClick(tab.DatePicker);
    SelectSectionOnClick(tab.TimePicker);
    tab.CheckBoxClock = Check("CheckBoxClock", QStringLiteral("Автопереход на летнее время"));

    auto* column = new QVBoxLayout;
    column->addWidget(tab.DatePicker);
    column->addWidget(tab.TimePicker);
    column->addWidget(tab.CheckBoxClock);
    return TitledGroup(QStringLiteral(" Время  "), column);
}

QGroupBox* NumberGroup(TabSetting& tab)
{
    tab.SpinEdit_Number =
        Named(new NumberSpin(NumberDigits, int(SettingsInputs::LargestMeterNumber)), "SpinEdit_Number");
    // Number allocation belongs to the production line; elsewhere the
    // button is there and does nothing.
    tab.BitBtn1 = Named(new QToolButton, "BitBtn1");
    tab.BitBtn1->setText(QStringLiteral("+"));

    auto* row = new QHBoxLayout;
    row->addWidget(BuddyCaption(QStringLiteral("№ :"), tab.SpinEdit_Number));
    row->addWidget(tab.SpinEdit_Number, 1);
    row->addWidget(tab.BitBtn1);
    return TitledGroup(QStringLiteral(" Номер "), row);
}

QGroupBox* SettlementGroup(TabSetting& tab)
{
    tab.SpinDay = RangedSpin("SpinDay", 1, 31);
    tab.SpinHour = RangedSpin("SpinHour", 0, 23);
    return TitledGroup(QStringLiteral(" РДЧ "), CaptionedRows({{QStringLiteral("Расчетный день:"), tab.SpinDay},
                                                         {QStringLiteral("Расчетный час:"), tab.SpinHour}}));
}

QGroupBox* PeakPowerGroup(TabSetting& tab)
{
    tab.SpinIntegra = RangedSpin("SpinIntegra", 1, 60);
    return TitledGroup(QStringLiteral(" Пиковая мощность "),
                 CaptionedRows({{QStringLiteral("Время интегрирования (мин): "), tab.SpinIntegra}}));
}

QGroupBox* PasswordGroup(TabSetting& tab)
{
    tab.LabeledPass1 = Named(new QLineEdit, "LabeledPass1");
    MakePasswordEdit(tab.LabeledPass1);

    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    column->addWidget(AttachCaption(tab.LabeledPass1, QStringLiteral("Пароль для доступа : ")));
    column->addWidget(tab.LabeledPass1);
    return TitledGroup(QStringLiteral(" Новый пароль "), column);
}

QGroupBox* IndicatorGroup(TabSetting& tab)
{
    tab.CheckSetIndi = IndicatorList("CheckSetIndi");
    tab.CheckSetIndi->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    auto* column = new QVBoxLayout;
    column->addWidget(tab.CheckSetIndi);
    return TitledGroup(QStringLiteral(" Индикация "), column);
}

QGroupBox* DdmGroup(TabSetting& tab)
{
    tab.SpinDDM = RangedSpin("SpinDDM", 0, LargestDdmNumber);
    tab.ComboTarifDDM = Named(new QComboBox, "ComboTarifDDM");
    tab.ComboTarifDDM->addItems(DdmTariffModeItems());
    return TitledGroup(QStringLiteral(" ДДМ "), CaptionedRows({{QStringLiteral("№ :"), tab.SpinDDM},
                                                         {QStringLiteral("Режим тарификации:"), tab.ComboTarifDDM}}));
}

QLayout* Column(const QList<QWidget*>& groups)
{
    auto* column = new QVBoxLayout;
    for (QWidget* group : groups)
        column->addWidget(group);
    column->addStretch();
    return column;
}

} // namespace

TabSetting TabSetting::Create()
{
    TabSetting tab{};
    tab.page = NamedPage("TabSheet1");
    tab.GroupTask = TaskGroup(tab);

    auto* grid = new QGridLayout(tab.page);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->addWidget(tab.GroupTask, 0, 0, Qt::AlignTop);
    grid->addLayout(Column({TimeGroup(tab), NumberGroup(tab), SettlementGroup(tab), PeakPowerGroup(tab)}), 0, 1);
    grid->addLayout(Column({PasswordGroup(tab), IndicatorGroup(tab), DdmGroup(tab)}), 0, 2);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return tab;
}
