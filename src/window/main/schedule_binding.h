#pragma once

class StationCore;
struct MainCommands;
struct MainPages;

// The schedule's five commands, the progress of a read, and the page
// brought to the front when the schedule is replaced. Whatever replaces
// the schedule asks about unsaved changes first.
void BindSchedule(StationCore& core, const MainCommands& commands, const MainPages& pages);
