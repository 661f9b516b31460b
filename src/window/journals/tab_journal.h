#pragma once
// Tab "Журналы": the yearly and the consumption journal, each with its
// read, export and print buttons, and the progress of a journal read.

class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QWidget;

struct TabJournal {
    QWidget* page;
    QTabWidget* PageJournal;
    QProgressBar* GaugeJournal;

    QWidget* TabYear;
    QPushButton* BtnReadJournalYear;
    QPushButton* BtnExportJournalYear;
    QPushButton* BtnPrintJournalYear;
    // Row 0 and column 0 hold the captions, as the table is exported.
    QTableWidget* GridJournal;

    QWidget* TabDiary;
    QPushButton* BtnReadDiary;
    QPushButton* BtnExportDiary;
    QPushButton* BtnPrintDiary;
    QTreeWidget* ListDiary;

    static TabJournal Create();
};
