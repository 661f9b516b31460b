#pragma once
// Fills Excel 97-2003 workbooks: a workbook is started from a template (the
// bytes of a workbook file kept under a name), its active sheet receives
// text and number cells, and it is saved as a new file. Every failure is
// thrown as an XlsError with its message.

#include "xls/workbook.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

class SpreadsheetWriter {
public:
    // Keeps a workbook file's bytes under a name; refused when they are not
    // a workbook this writer reads.
    void LoadTemplate(const QString& name, const QByteArray& bytes);
    // Writes the named template into a new file.
    void WriteTemplate(const QString& name, const QString& path);
    // Opens a workbook file; its active sheet receives the cells.
    void Open(const QString& path);
    // Rows and columns count from 1.
    void SetCell(int row, int column, const QString& text);
    void SetCell(int row, int column, double value);
    // Saves the open workbook as an Excel 97-2003 file under the name.
    void SaveAs(const QString& path);
    void Close();

private:
    void Put(int row, int column, const CellValue& value);

    QHash<QString, QByteArray> templates_;
    std::optional<Workbook> open_;
};
