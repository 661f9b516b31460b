#pragma once
// A Workbook as the bytes of an Excel 97-2003 file and back.

#include "xls/workbook.h"

#include <QByteArray>

// Throws XlsError for a workbook the format cannot hold.
QByteArray WorkbookBytes(const Workbook& workbook);

// Reads back what WorkbookBytes writes; anything else, or damaged bytes,
// throws XlsError.
Workbook ParseWorkbook(const QByteArray& bytes);
