#pragma once
// Tab "Журналы": the yearly and the consumption journal, and the progress
// of a journal read.

class QProgressBar;
class QTabWidget;
class QWidget;

struct TabJournal {
    QWidget* page;
    QTabWidget* PageJournal;
    QWidget* TabYear;
    QWidget* TabDiary;
    QProgressBar* GaugeJournal;

    static TabJournal Create();
};
