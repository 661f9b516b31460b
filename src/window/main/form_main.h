#pragma once
// TFormMain: the station's one window. It owns everything for the whole
// run: the meter's lines, the station's engine (the link, what it reads,
// the prepared values, the log and the write batches), the port choice,
// the window's commands and controls, and the dialogs. Its collaborators
// come from FormMainEnvironment.

#include "link/port_selector.h"
#include "schedule/tariff_colors.h"
#include "station/scanner_input.h"
#include "workstation/station_config.h"
#include "station/station_core.h"
#include "window/main/connect_panel.h"
#include "window/main/form_main_environment.h"
#include "window/main/main_commands.h"
#include "window/main/main_menu.h"
#include "window/main/main_status_bar.h"
#include "window/main/main_tool_bar.h"
#include "window/main/meter_channels.h"
#include "window/main/meter_port_choice.h"
#include "window/main/page_control.h"

#include <QMainWindow>
#include <memory>

class PrinterChoice;
class ProductionLine;
class TAboutBox;
class TFormStatus;

class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    // The window's caption, also the application's title.
    static const QString Title;

    explicit TFormMain(FormMainEnvironment environment = {}, QWidget* parent = nullptr);
    ~TFormMain() override;

    StationCore& Core() { return core_; }
    // Only on the production line.
    ProductionLine* Production() { return production_.get(); }
    MeterLink& Link() { return core_.link; }
    MeterChannels& Channels() { return channels_; }
    // The work mode and the remembered ports, as read at start-up.
    const StationConfig& Config() const { return config_; }
    // Opens a tsc file named from outside, as a double-click on it does.
    void OpenScheduleFile(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildWindow();
    void FixClientSize();
    void BindCore();
    void BindProductionLine();
    void BindCommands();
    void FormCreate();
    void FormActivate();
    void FormClose();

    void ActionConnectExecute();
    void NExitClick();
    void N20Click();
    void N15Click();
    void NStatusClick();
    void ShowUnhandledError(const QString& text);
    // The title names the schedule's file and marks unsaved changes.
    void ShowScheduleState();

    const FormMainEnvironment environment_;
    const std::unique_ptr<QSettings> ownSettings_;
    QSettings& settings_;
    const std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    const std::unique_ptr<QSettings> ownColorStore_;
    TariffColors tariffColors_;
    std::unique_ptr<PrinterChoice> ownPrinter_;

    MeterChannels channels_;
    const std::unique_ptr<SerialChannel> ownScanner_;
    SerialChannel& scannerChannel_;
    // Read before the engine is made: the modes are its own from the start.
    const StationConfig config_;
    StationCore core_;
    std::unique_ptr<ProductionLine> production_;
    ScannerInput scanner_;
    bool shown_ = false;
    PortSelector ports_;
    MeterPortChoice portChoice_;

    MainCommands commands_{};
    MainMenu menu_{};
    MainToolBar toolBar_{};
    ConnectPanel panel_{};
    MainPages pages_{};
    MainStatusBar statusBar_{};
    TAboutBox* aboutBox_ = nullptr;
    TFormStatus* formStatus_ = nullptr;
};
