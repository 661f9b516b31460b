#pragma once

class StationCore;
struct MainCommands;
struct MainPages;

// The schedule's five commands, the progress of a read, and the plain
// lists of the tab "Тарифное расписание", which follow every change of the
// committed schedule and of its calendar.
void BindSchedule(StationCore& core, const MainCommands& commands, const MainPages& pages);
