#pragma once
// The "Workbook" stream of a BIFF8 file: the workbook globals, then one
// substream per sheet.

#include "xls/workbook.h"

#include <QByteArray>

QByteArray WorkbookStream(const Workbook& workbook);
