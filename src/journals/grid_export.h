#pragma once
// Saving a journal's table as an Excel 97-2003 workbook: the title in the
// first cell, the table from the second row on, numbers as numbers.

#include "journals/text_grid.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class Dialogs;

// "Счетчик № N, " before the journal's name when the number is above 0.
QString JournalTitle(quint32 meterNumber, const QString& journalName);

// A report-style list as a table: row 0 the column captions, then one row
// per list row (its caption, then its sub-items, empty where it has fewer).
TextGrid ListToGrid(const QStringList& columnCaptions, const QList<QStringList>& rows);

// The number a cell's text stands for when the whole text (blanks around
// it allowed) converts with the workstation's decimal separator.
std::optional<double> CellNumber(const QString& text);

// Writes the workbook under `path`, replacing a regular file of that name
// (never a folder, pipe or device), through a temporary "<n>new.xls"
// beside it. Empty when saved; otherwise why not (the temporary file then
// stays, and a file of that name keeps its earlier content).
QString WriteGridWorkbook(const TextGrid& grid, const QString& title, const QString& path);

// The whole export: asks for the file, writes it, then hands its path to
// `open`; on failure the warning box instead.
void ExportGridToXls(const TextGrid& grid, const QString& title, Dialogs& dialogs,
    const std::function<void(const QString&)>& open);
