#pragma once
// PageControl1: the window's tabs, in their fixed order.

#include "app/tab_about.h"
#include "app/tab_db.h"
#include "app/tab_journal.h"
#include "app/tab_plc.h"
#include "app/tab_protocol.h"
#include "app/tab_sched.h"
#include "app/tab_setting.h"

class QTabWidget;

struct MainPages {
    QTabWidget* PageControl1;
    TabAbout about;
    TabSetting setting;
    TabSched sched;
    TabJournal journal;
    TabPlc plc;
    TabDb db;
    TabProtocol protocol;

    static MainPages Create();
    // The first page of each page control, as at every start.
    void SelectFirstPages();
};
