#pragma once
// Printing a table as ruled rows under a title, on as many pages as it
// takes, each page beginning with the title and the caption row again.

#include "journals/text_grid.h"

#include <QString>

class QPagedPaintDevice;

// The device is a printer (or a PDF writer); a table too wide for a
// portrait page turns the device to landscape, and it stays so.
void PrintGrid(const TextGrid& grid, const QString& title, QPagedPaintDevice& device);
