#pragma once

class Dialogs;
class PrinterChoice;
class StationCore;
class TFormStatus;
struct TabJournal;

// The journals' reads, their tables shown as the meter's answers fill them,
// the progress, the status tooltip, and export and printing of either table.
void BindJournals(
    StationCore& core, const TabJournal& tab, Dialogs& dialogs, PrinterChoice& printer, TFormStatus& statusDialog);
