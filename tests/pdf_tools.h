#pragma once
// Printed pages as poppler's pdfinfo and pdftotext read them: another
// program's view of what the station prints.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The tool's output; empty when it fails.
inline QString ToolOutput(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(ToolOutput(QStringLiteral("pdfinfo"), {path}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

inline QString PdfPageText(const QString& path, int page)
{
    return ToolOutput(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), path,
            QStringLiteral("-")});
}
