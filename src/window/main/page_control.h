#pragma once
// PageControl1: the window's tabs, in their fixed order.

#include "window/database/tab_db.h"
#include "window/journals/tab_journal.h"
#include "window/main/tab_protocol.h"
#include "window/meter/tab_about.h"
#include "window/meter/tab_plc.h"
#include "window/meter/tab_setting.h"
#include "window/schedule/tab_sched.h"

class Dialogs;
class QTabWidget;
class ScheduleDocument;
class TariffColors;

struct MainPages {
    QTabWidget* PageControl1;
    TabAbout about;
    TabSetting setting;
    TabSched sched;
    TabJournal journal;
    TabPlc plc;
    TabDb db;
    TabProtocol protocol;

    static MainPages Create(ScheduleDocument& schedule, TariffColors& colors, Dialogs& dialogs);
    // The first page of each page control, as at every start.
    void SelectFirstPages();
};
