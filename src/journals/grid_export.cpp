#include "journals/grid_export.h"

#include "journals/xls_template.h"
#include "workstation/file_writes.h"
#include "workstation/dialogs.h"
#include "xls/spreadsheet_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

// Temporary names tried beside the chosen file before giving up.
constexpr int MaxTemporaryNames = 10000;

// The first "<n>new.xls" beside `target` that does not exist yet and is
// not the target's own name: the temporary file is removed once the
// target is saved, so the two must never be one file. Names are compared
// without case, as the workstation's file system does.
QString FreeTemporaryName(const QString& target)
{
    const QFileInfo targetInfo(target);
    const QDir directory = targetInfo.dir();
    for (int n = 1; n <= MaxTemporaryNames; ++n) {
        const QString name = QString::number(n) + XlsTemplateName;
        if (name.compare(targetInfo.fileName(), Qt::CaseInsensitive) == 0)
            continue;
        const QString path = directory.filePath(name);
        if (!QFile::exists(path))
            return path;
    }
    return QString();
}

void FillSheet(SpreadsheetWriter& writer, const TextGrid& grid, const QString& title)
{
    // Cells beyond the sheet's limits would be refused one by one; the
    // table is cut there instead of trying them.
    const int rows = std::min(grid.RowCount(), MaxRows - 1);
    const int columns = std::min(grid.ColumnCount(), MaxColumns);
    writer.SetCell(1, 1, title);
    for (int column = 2; column <= columns; ++column)
        writer.SetCell(1, column, QString());
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString text = grid.Cell(column, row);
            // A cell the writer refuses is left empty; the rest of the
            // table still goes out.
            try {
                if (const std::optional<double> number = CellNumber(text))
                    writer.SetCell(row + 2, column + 1, *number);
                else
                    writer.SetCell(row + 2, column + 1, text);
            } catch (const XlsError&) {
            }
        }
    }
}

} // namespace

QString JournalTitle(quint32 meterNumber, const QString& journalName)
{
    if (meterNumber == 0)
        return journalName;
    return QStringLiteral("Счетчик № %1, ").arg(meterNumber) + journalName;
}

TextGrid ListToGrid(const QStringList& columnCaptions, const QList<QStringList>& rows)
{
    TextGrid grid{{columnCaptions}};
    for (const QStringList& listRow : rows) {
        QStringList row;
        for (int column = 0; column < columnCaptions.size(); ++column)
            row << listRow.value(column);
        grid.rows << row;
    }
    return grid;
}

std::optional<double> CellNumber(const QString& text)
{
    // Only the decimal separator: with group separators allowed,
    // "123,456" would be a thousand times too much under a point locale.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double number = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

QString WriteGridWorkbook(const TextGrid& grid, const QString& title, const QString& path)
{
    const QString temporary = FreeTemporaryName(path);
    if (temporary.isEmpty())
        return QStringLiteral("No free name for a temporary workbook beside %1.").arg(path);
    try {
        SpreadsheetWriter writer;
        writer.LoadTemplate(XlsTemplateName, XlsTemplateBytes());
        writer.WriteTemplate(XlsTemplateName, temporary);
        writer.Open(temporary);
        FillSheet(writer, grid, title);
        if (const QString refusal = ReplacementRefusal(path); !refusal.isEmpty())
            return refusal;
        // Saving replaces an existing file of that name only once the new
        // one is complete, so a failed save leaves the old file as it was.
        writer.SaveAs(path);
        writer.Close();
    } catch (const XlsError& error) {
        return error.Message();
    }
    // The workbook is saved; a temporary file that cannot be removed is
    // only litter beside it.
    QFile::remove(temporary);
    return QString();
}

void ExportGridToXls(const TextGrid& grid, const QString& title, Dialogs& dialogs,
    const std::function<void(const QString&)>& open)
{
    const QString path = dialogs.AskSaveFile(QStringLiteral("xls (*.xls)"), QStringLiteral("xls"));
    if (path.isEmpty())
        return;
    if (!WriteGridWorkbook(grid, title, path).isEmpty()) {
        dialogs.ShowMessage(MessageIcon::Warning, QStringLiteral("Внимание"),
            QStringLiteral("Файл не может быть создан в указанной директории, или файл с таким именем сейчас "
                           "открыт!"));
        return;
    }
    open(path);
}
