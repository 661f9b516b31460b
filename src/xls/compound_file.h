#pragma once
// The OLE2 compound file an Excel 97-2003 workbook lives in: one stream
// named "Workbook".

#include <QByteArray>

// Throws XlsError when the container cannot be made.
QByteArray CompoundFile(const QByteArray& workbookStream);

// The "Workbook" stream of a compound file; throws XlsError for bytes that
// are no compound file or hold no such stream.
QByteArray WorkbookStreamOf(const QByteArray& file);
