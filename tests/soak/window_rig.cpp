#include "window_rig.h"

#include "box_closer.h"
#include "write_choice.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {

FormMainEnvironment Environment(const QString& dir, QSettings& settings, QSettings& tariffColors)
{
    FormMainEnvironment environment;
    environment.settings = &settings;
    environment.tariffColors = &tariffColors;
    environment.startDir = QDir(dir);
    environment.offerSimulator = true;
    // Real message boxes: the soak's operator closes them.
    environment.dialogs = nullptr;
    environment.ports = {[] { return QStringList{QStringLiteral("COM1")}; }, {}};
    return environment;
}

} // namespace

WindowRig::WindowRig(const QString& dir, RandomMix& faults, SoakTally& tally)
    : settings_(QDir(dir).filePath(QStringLiteral("VM-742.ini")), QSettings::IniFormat),
      tariffColors_(QDir(dir).filePath(QStringLiteral("Schedule.ini")), QSettings::IniFormat),
      form_(std::make_unique<TFormMain>(Environment(dir, settings_, tariffColors_)))
{
    check_ = std::make_unique<LineCheck>(form_->Link(), Channel(),
        QDir(dir).filePath(QLatin1String(OperationLog::FileName)), true, faults, tally);
    form_->show();
}

// The checks go before the window that owns the meter they hook.
WindowRig::~WindowRig()
{
    check_.reset();
    form_.reset();
}

VirtualChannel& WindowRig::Channel()
{
    return form_->Channels().Simulator();
}

void WindowRig::Connect()
{
    Trigger("ActionConnect");
}

void WindowRig::Disconnect()
{
    Trigger("ActionDisconnect");
}

bool WindowRig::Busy() const
{
    return BoxCloser::BoxOpen();
}

int WindowRig::Weight(OpKind kind) const
{
    return BenchWeight(kind, 5);
}

bool WindowRig::Start(OpKind kind, RandomMix& random)
{
    switch (kind) {
    case OpKind::SettingsWrite:
        EnterSettings(random);
        return Trigger("ActionSetting");
    case OpKind::ScheduleWrite:
        return Trigger("ActionWriteSched");
    case OpKind::ScheduleRead:
        return Trigger("ActionReadSched");
    case OpKind::YearlyJournal:
        return Click("BtnReadJournalYear");
    case OpKind::Diary:
        return Click("BtnReadDiary");
    case OpKind::PlcAddress:
        EnterPlc(random);
        return Click("BtnWriteAddress");
    case OpKind::PlcRoute:
        EnterPlc(random);
        return Click("BtnWriteRoute");
    case OpKind::PlcRouteDelete:
        EnterPlc(random);
        return Click("ButtonDelRoute");
    default:
        return false;
    }
}

bool WindowRig::Trigger(const char* action)
{
    auto* command = form_->findChild<QAction*>(QLatin1String(action));
    if (!command || !command->isEnabled())
        return false;
    command->trigger();
    return true;
}

bool WindowRig::Click(const char* button)
{
    auto* control = form_->findChild<QPushButton*>(QLatin1String(button));
    if (!control || !control->isEnabled())
        return false;
    control->click();
    return true;
}

void WindowRig::Tick(const char* box, bool on)
{
    form_->findChild<QCheckBox*>(QLatin1String(box))->setChecked(on);
}

void WindowRig::SetSpin(const char* spin, int value)
{
    form_->findChild<QSpinBox*>(QLatin1String(spin))->setValue(value);
}

void WindowRig::EnterSettings(RandomMix& random)
{
    const SettingsChoice choice = SettingsChoice::Random(random);
    Tick("CheckTime", choice.time);
    Tick("CheckBoxClock", choice.dst);
    Tick("CheckShedule", choice.settlement);
    SetSpin("SpinDay", choice.day);
    SetSpin("SpinHour", choice.hour);
    Tick("CheckIndi", choice.indicator);
    auto* items = form_->findChild<QListWidget*>(QStringLiteral("CheckSetIndi"));
    for (int item = 0; item < items->count() && item < int(choice.items.size()); ++item)
        items->item(item)->setCheckState(choice.items[size_t(item)] ? Qt::Checked : Qt::Unchecked);
    Tick("CheckIntegra", choice.integration);
    SetSpin("SpinIntegra", choice.minutes);
    Tick("CheckDDM", choice.ddm);
    SetSpin("SpinDDM", choice.ddmNumber);
    form_->findChild<QComboBox*>(QStringLiteral("ComboTarifDDM"))->setCurrentIndex(choice.ddmMode);
    Tick("CheckResetRdh", choice.resetRdh);
}

void WindowRig::EnterPlc(RandomMix& random)
{
    const PlcChoice choice = PlcChoice::Random(random);
    SetSpin("SpinGroup", choice.group);
    SetSpin("SpinAddress", choice.address);
    SetSpin("SpinRoute", choice.route);
    SetSpin("SpinAddrRep", choice.repeaterAddress);
    form_->findChild<QLineEdit*>(QStringLiteral("EditNumb"))->setText(QString::number(choice.repeaterNumber));
}
