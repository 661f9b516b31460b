// The consumption journal at its largest, 250 records, saved as a workbook
// and printed into a PDF file. Prints the best of a few runs of each. A
// figure, never a verdict: nothing here fails on a time. With a directory
// as argument the files are left there to be looked at.

#include "bench_timing.h"
#include "journal_grids.h"
#include "journals/grid_export.h"
#include "journals/grid_print.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int Records = 250;
constexpr int Repeats = 5;


} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QTemporaryDir temporary;
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    const QString xlsPath = dir.filePath("journal.xls");
    const QString pdfPath = dir.filePath("journal.pdf");
    const TextGrid grid = DiaryGrid(Records);
    const QString title = JournalTitle(123456, "Журнал потребления");

    QString failure;
    const double exportMs = BestMs(Repeats, [] {}, [&] { failure = WriteGridWorkbook(grid, title, xlsPath); });
    if (!failure.isEmpty())
        std::fprintf(stderr, "export failed: %s\n", qPrintable(failure));
    const double printMs = BestMs(Repeats, [] {}, [&] {
        QPdfWriter pdf(pdfPath);
        PrintGrid(grid, title, pdf);
    });

    std::printf("consumption journal, %d records, %d columns, best of %d\n", Records, grid.ColumnCount(), Repeats);
    std::printf("export to .xls, ms: %.3f (%lld bytes)\n", exportMs, qlonglong(QFileInfo(xlsPath).size()));
    std::printf("print to PDF, ms: %.3f (%lld bytes)\n", printMs, qlonglong(QFileInfo(pdfPath).size()));
    return 0;
}
