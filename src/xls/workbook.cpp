#include "xls/workbook.h"

void CheckCell(int row, int column, const CellValue& value)
{
    if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns)
        throw XlsError(QStringLiteral("Cell (%1, %2) lies outside a sheet.").arg(row + 1).arg(column + 1));
    if (const auto* text = std::get_if<QString>(&value); text && text->size() > MaxTextLength)
        throw XlsError(QStringLiteral("A cell holds at most %1 characters.").arg(MaxTextLength));
}

void CheckWorkbook(const Workbook& workbook)
{
    if (workbook.sheets.isEmpty() || workbook.sheets.size() > MaxSheets || workbook.activeSheet < 0
        || workbook.activeSheet >= workbook.sheets.size())
        throw XlsError(QStringLiteral("A workbook needs a sheet, and its active sheet among them."));
    for (const Sheet& sheet : workbook.sheets) {
        if (sheet.name.isEmpty() || sheet.name.size() > MaxSheetNameLength)
            throw XlsError(QStringLiteral("A sheet's name has 1 to %1 characters.").arg(MaxSheetNameLength));
        if (sheet.header.size() > MaxHeaderLength || sheet.footer.size() > MaxHeaderLength)
            throw XlsError(QStringLiteral("A page header or footer has at most %1 characters.").arg(MaxHeaderLength));
        for (auto cell = sheet.cells.cbegin(); cell != sheet.cells.cend(); ++cell)
            CheckCell(cell.key().first, cell.key().second, cell.value());
    }
    if (workbook.fontName.isEmpty() || workbook.fontName.size() > MaxFontNameLength || workbook.fontPoints < 1
        || workbook.fontPoints > MaxFontPoints)
        throw XlsError(QStringLiteral("The workbook's font cannot be written."));
}
