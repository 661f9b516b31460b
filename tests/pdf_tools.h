#pragma once
// Printed pages as poppler's pdfinfo and pdftotext read them: another
// program's view of what the station prints.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
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

// A page's words where pdftotext finds them, in points from the page's
// top left corner, and the page's size.
struct PdfWord {
    QString text;
    QRectF box;
};

struct PdfPageWords {
    QSizeF size;
    QList<PdfWord> words;
};

inline PdfPageWords PdfWordBoxes(const QString& path, int page)
{
    const QString html = ToolOutput(QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
            QString::number(page), path, QStringLiteral("-")});
    PdfPageWords found;
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)")re")).match(html);
    if (size.hasMatch())
        found.size = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        found.words << PdfWord{m.captured(5), QRectF(topLeft, bottomRight)};
    }
    return found;
}
