#pragma once
// What the work mode shows, hides and ticks on the window.

struct ConnectPanel;
struct MainCommands;
struct MainMenu;
struct MainPages;
struct StationConfig;

struct ModeViews {
    const MainCommands& commands;
    const MainMenu& menu;
    const ConnectPanel& panel;
    const MainPages& pages;
};

// In SQL mode the production line has no use for schedules, power-line
// parameters and the operation log, and needs the database record, the
// scanner and the clock drift instead. The mode bits decide whether the
// meter number and the new password may be typed.
void ShowWorkMode(const StationConfig& config, const ModeViews& views);
