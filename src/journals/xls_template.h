#pragma once
// The empty workbook every journal export starts from: three sheets
// "Лист1", "Лист2", "Лист3", the first active, Arial 10, each sheet with
// its name centred in the page header and "Страница N" in the footer. It
// is the file template/new.xls, compiled into the program.

#include <QByteArray>
#include <QString>

// The name the spreadsheet writer keeps the template under.
inline const QString XlsTemplateName = QStringLiteral("new.xls");

// The template's bytes.
QByteArray XlsTemplateBytes();
