#pragma once
// An Excel 97-2003 workbook as plain data: its sheets with their cells,
// page header and footer, the active sheet and the default font. Read from
// and written to the file format by workbook_file.h.

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <stdexcept>
#include <variant>

// A failure of the spreadsheet component, with a message for the operator.
class XlsError : public std::runtime_error {
public:
    explicit XlsError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// The format's limits.
inline constexpr int MaxRows = 65536;
inline constexpr int MaxColumns = 256;
inline constexpr int MaxTextLength = 32767;
inline constexpr int MaxSheetNameLength = 31;
inline constexpr int MaxHeaderLength = 255;
inline constexpr int MaxFontNameLength = 31;
inline constexpr int MaxFontPoints = 409;
// Far more than a workbook of this program has; bounds what is read.
inline constexpr int MaxSheets = 256;

using CellValue = std::variant<QString, double>;

struct Sheet {
    QString name;
    // In the format's codes: "&C&A" is the sheet's name centred, "&P" the
    // page number.
    QString header;
    QString footer;
    // Keyed by (row, column), both from 0.
    QMap<QPair<int, int>, CellValue> cells;
};

struct Workbook {
    QList<Sheet> sheets;
    int activeSheet = 0;
    QString fontName = QStringLiteral("Arial");
    int fontPoints = 10;
};

// Refuse what the format cannot hold with an XlsError; rows and columns
// count from 0.
void CheckCell(int row, int column, const CellValue& value);
void CheckWorkbook(const Workbook& workbook);
