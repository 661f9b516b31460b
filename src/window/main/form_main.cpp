#include "window/main/form_main.h"

#include "station/database_choice.h"
#include "station/production_line.h"
#include "workstation/workstation_identity.h"
#include "window/about/about_box.h"
#include "window/controls/panel_shading.h"
#include "window/database/log_binding.h"
#include "window/journals/journal_binding.h"
#include "window/journals/printer_choice.h"
#include "window/common/application_icon.h"
#include "window/common/help_file.h"
#include "window/main/link_binding.h"
#include "window/main/meter_state_reset.h"
#include "window/main/port_binding.h"
#include "window/main/qt_dialogs.h"
#include "window/main/scanner_binding.h"
#include "window/main/work_mode_view.h"
#include "window/meter/form_status.h"
#include "window/meter/plc_binding.h"
#include "window/meter/readings_binding.h"
#include "window/meter/setting_binding.h"
#include "window/meter/short_report_command.h"
#include "window/schedule/calendar_page.h"
#include "window/schedule/frame_shedule.h"
#include "window/main/schedule_binding.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The window's client area, below the menu bar.
constexpr int ClientWidth = 632;
constexpr int ClientHeight = 584;
constexpr int FontPoints = 8;

std::unique_ptr<QSettings> OwnSettings(const FormMainEnvironment& environment)
{
    return environment.settings ? nullptr : ConfigStore::OpenDefault();
}

// A production database given from outside puts the station on the line,
// as the marker file does.
StationConfig ReadConfig(QSettings& settings, const FormMainEnvironment& environment)
{
    StationConfig config = ConfigStore(settings).Read(environment.startDir);
    if (!environment.productionDatabase.isEmpty()) {
        config.sqlMode = true;
        config.workMode |= NumberEditing;
        config.databaseFile = environment.productionDatabase;
    }
    return config;
}

// Ports are listed once, at start-up: where none was found, choosing is no
// way out, plugging one in and starting again is.
QString PortNotChosenText(const MeterPortChoice& choice)
{
    return choice.Entries().isEmpty()
        ? QStringLiteral("Порт не выбран: последовательные порты не найдены. "
                         "Подключите счетчик к последовательному порту и перезапустите программу.")
        : QStringLiteral("Порт не выбран. Выберите порт счетчика в списке «Порт:».");
}

} // namespace

const QString TFormMain::Title = QStringLiteral("Программирование Velmar 742, 341");

TFormMain::TFormMain(FormMainEnvironment environment, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      environment_(std::move(environment)),
      ownSettings_(OwnSettings(environment_)),
      settings_(environment_.settings ? *environment_.settings : *ownSettings_),
      ownDialogs_(environment_.dialogs ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(environment_.dialogs ? *environment_.dialogs : *ownDialogs_),
      ownColorStore_(environment_.tariffColors ? nullptr : TariffColors::OpenStore()),
      tariffColors_(environment_.tariffColors ? environment_.tariffColors : ownColorStore_.get()),
      channels_(environment_.offerSimulator),
      ownScanner_(environment_.scanner ? nullptr : std::make_unique<QtSerialChannel>(LineSettings::Scanner())),
      scannerChannel_(environment_.scanner ? *environment_.scanner : *ownScanner_),
      config_(ReadConfig(settings_, environment_)),
      core_(dialogs_, environment_.startDir.filePath(QLatin1String(OperationLog::FileName)), config_.workMode,
            config_.sqlMode),
      scanner_(scannerChannel_, core_.inputs),
      ports_(environment_.ports),
      portChoice_(ports_, environment_.offerSimulator)
{
    setObjectName(QStringLiteral("FormMain"));
    BuildWindow();
    // Before the bindings: the journal's status tooltip shows its status there.
    formStatus_ = new TFormStatus(this);
    BindCore();
    BindCommands();
    FormCreate();
    aboutBox_ = new TAboutBox(environment_.startDir, environment_.programDir, this);
}

TFormMain::~TFormMain() = default;

void TFormMain::BuildWindow()
{
    setWindowTitle(Title);
    setWindowIcon(ApplicationIcon());
    QFont windowFont = font();
    windowFont.setPointSize(FontPoints);
    setFont(windowFont);

    commands_ = MainCommands::Create(*this);
    menu_ = MainMenu::Create(*this, commands_);
    toolBar_ = MainToolBar::Create(*this, commands_);
    panel_ = ConnectPanel::Create();
    pages_ = MainPages::Create(core_.schedule, tariffColors_, dialogs_);
    statusBar_ = MainStatusBar::Create(*this);

    auto* client = new QWidget;
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(panel_.PanelConnect);
    column->addWidget(pages_.PageControl1);
    setCentralWidget(client);

    FixClientSize();
    move(screen()->availableGeometry().center() - rect().center());
}

// The designed size, or as much more as this platform's fonts need to show
// every caption and value unclipped. The menu bar lies outside the client
// area where the platform draws it in the window.
void TFormMain::FixClientSize()
{
    const QSize content = centralWidget()->sizeHint()
        + QSize(0, toolBar_.ToolBar1->sizeHint().height() + statusBar()->sizeHint().height());
    const QSize client = content.expandedTo({ClientWidth, ClientHeight});
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setFixedSize(client.width(), client.height() + menuHeight);
}

void TFormMain::BindCore()
{
    BindLink(core_.link, {commands_, menu_, toolBar_, statusBar_, panel_, pages_});
    BindReadings(core_.readings, pages_.about);
    BindSetting(core_.inputs, core_.readings, pages_.setting, panel_.LabeledPass2);
    BindPlc(core_.plc, core_.inputs, pages_.plc);
    BindOperationLog(core_.log, pages_.db);
    BindSchedule(core_, commands_, pages_);
    connect(&core_.schedule, &ScheduleDocument::EditStateChanged, this, &TFormMain::ShowScheduleState);
    connect(pages_.sched.FrameShedule, &TFrameShedule::Edited, this, &TFormMain::ShowScheduleState);
    if (!environment_.printer)
        ownPrinter_ = std::make_unique<SystemPrinter>(this);
    BindJournals(
        core_, pages_.journal, dialogs_, environment_.printer ? *environment_.printer : *ownPrinter_, *formStatus_);
    BindMeterStateReset(core_.link, pages_);
    connect(&core_.link, &MeterLink::UnhandledError, this, &TFormMain::ShowUnhandledError);
    BindScanner(scanner_, panel_, [this](const QString& text) { ShowUnhandledError(text); });
    if (config_.sqlMode)
        BindProductionLine();
}

void TFormMain::BindProductionLine()
{
    production_ = std::make_unique<ProductionLine>(core_, dialogs_, DatabaseFor(config_.databaseFile));
    connect(production_.get(), &ProductionLine::UnhandledError, this, &TFormMain::ShowUnhandledError);
    connect(production_.get(), &ProductionLine::EditDeltaChanged, pages_.about.EditDelta, &QLineEdit::setText);
    connect(pages_.setting.BitBtn1, &QAbstractButton::clicked, production_.get(), &ProductionLine::BitBtn1Click);
    connect(commands_.ActionFixDb, &QAction::triggered, production_.get(), [this] { production_->ActionFixDbExecute(); });
}

void TFormMain::BindCommands()
{
    connect(commands_.ActionConnect, &QAction::triggered, this, &TFormMain::ActionConnectExecute);
    connect(commands_.ActionDisconnect, &QAction::triggered, &core_.link, &MeterLink::ActionDisconnectExecute);
    connect(commands_.ActionReset, &QAction::triggered, &core_.link, &MeterLink::ActionResetExecute);
    connect(commands_.ActionSetting, &QAction::triggered, &core_.settings, &SettingsWrite::ActionSettingExecute);
    connect(commands_.ActionTxt, &QAction::triggered, this,
            [this] { ActionTxtExecute(dialogs_, core_.readings, core_.plc); });
    connect(menu_.NExit, &QAction::triggered, this, &TFormMain::NExitClick);
    connect(menu_.N20, &QAction::triggered, this, &TFormMain::N20Click);
    connect(menu_.N15, &QAction::triggered, this, &TFormMain::N15Click);
    connect(menu_.NStatus, &QAction::triggered, this, &TFormMain::NStatusClick);
}

void TFormMain::FormCreate()
{
    ShowWorkMode(config_, {commands_, menu_, panel_, pages_});
    panel_.CheckScaner->setChecked(config_.scannerOn);

    pages_.db.MemoDb->clear();
    pages_.setting.CheckTime->setChecked(true);
    // Where numbers are not typed in, the operator is a developer or a
    // technician who wants to see the line.
    core_.link.Protocol().SetEnabled(!(config_.workMode & NumberEditing));

    ports_.DiscoverPorts(config_.meterPort, config_.scannerPort, channels_.Port());
    BindPorts(portChoice_, ports_, panel_, menu_.NPort);
    scanner_.StartUp(panel_.ComboScaner->currentText(), config_.sqlMode, panel_.CheckScaner->isChecked());
    core_.link.SetChannel(&channels_.For(portChoice_.SimulatorChosen()));

    pages_.SelectFirstPages();
    core_.link.EnableMeterCommands(false);
    ShadeBackground(panel_.PanelConnect, -2, -2, -1);
    ShadeBackground(pages_.setting.GroupTask, 2, 0, 0);
    core_.link.ResetMeterState();
    pages_.sched.calendar->BtnTempletClick();
    // The schedule as the station starts with it has nothing to lose.
    core_.schedule.MarkUnmodified();
}

// In production mode the schedule's tab and commands are hidden: a file
// opened there would be edited nowhere and written nowhere.
void TFormMain::OpenScheduleFile(const QString& path)
{
    if (config_.sqlMode) {
        dialogs_.ShowError(QStringLiteral("Тарифное расписание не загружено из файла %1.\n"
                                          "В режиме производства тарифное расписание не редактируется.")
                               .arg(path));
        return;
    }
    core_.scheduleFiles.LoadFile(path);
}

// The first activation comes once the window stands on the screen, so
// that a message of the look-up stands over it.
void TFormMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        QTimer::singleShot(0, this, &TFormMain::FormActivate);
    }
}

// Runs when the window becomes the program's active window: at start, and
// when the about box or the status window hands the focus back.
void TFormMain::FormActivate()
{
    if (!production_)
        return;
    if (production_->FormActivate(ComputerName(), LoginName()) == ProductionLine::LookUp::NotDescribed)
        close();
}

// Unsaved schedule changes are asked about first; Cancel, or a save that
// did not happen, keeps the window open.
void TFormMain::closeEvent(QCloseEvent* event)
{
    if (!core_.scheduleFiles.SaveChangesFirst()) {
        event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

void TFormMain::FormClose()
{
    core_.link.ActionDisconnectExecute();
    // The simulated meter is offered anew at each start, never remembered.
    const QString meterPort = portChoice_.SimulatorChosen() ? QString() : portChoice_.PortText();
    ConfigStore(settings_).Write(meterPort, panel_.ComboScaner->currentText(), panel_.CheckScaner->isChecked());
    scanner_.Close();
}

// The line is chosen at connection time: the port list may have been
// switched to or from the simulated meter since the last connection.
// Without a chosen port there is nothing to open, and a failure to open
// "nothing" would not tell the operator what to do.
void TFormMain::ActionConnectExecute()
{
    if (portChoice_.PortText().isEmpty()) {
        dialogs_.ShowError(PortNotChosenText(portChoice_));
        return;
    }
    core_.link.SetChannel(&channels_.For(portChoice_.SimulatorChosen()));
    core_.link.ActionConnectExecute(portChoice_.PortText());
}

void TFormMain::NExitClick()
{
    close();
}

void TFormMain::N20Click()
{
    OpenHelpFile(HelpFilePath(environment_.startDir, environment_.programDir, PlatformHasCompiledHelpViewer()),
        dialogs_);
}

void TFormMain::N15Click()
{
    aboutBox_->exec();
    FormActivate();
}

void TFormMain::NStatusClick()
{
    formStatus_->exec();
    FormActivate();
}

void TFormMain::ShowUnhandledError(const QString& text)
{
    dialogs_.ShowMessage(MessageIcon::Error, Title, text);
}

void TFormMain::ShowScheduleState()
{
    const QString file = core_.schedule.FilePath();
    const QString named = file.isEmpty() ? Title : Title + QStringLiteral(" - ") + QFileInfo(file).fileName();
    // Qt shows "[*]" as "*" while the window is modified, else not at all.
    setWindowTitle(named + QStringLiteral("[*]"));
    setWindowModified(core_.schedule.Modified());
}
