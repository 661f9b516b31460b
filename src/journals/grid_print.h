#pragma once
// Printing a table as ruled rows under a title, on as many pages as it
// takes, each page beginning with the title and the caption row again.

#include "journals/text_grid.h"

#include <QString>

class QPagedPaintDevice;

// The device is a printer (or a PDF writer) at any resolution; the page
// comes out alike at all of them. A table too wide for a portrait page
// turns the device to landscape, and it stays so; one too wide for the
// landscape page too is printed smaller, so that it fits.
void PrintGrid(const TextGrid& grid, const QString& title, QPagedPaintDevice& device);
