#include "window/journals/printer_choice.h"

#include <QPrintDialog>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter(QWidget* parent) : parent_(parent) {}

bool SystemPrinter::CanPrint() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPagedPaintDevice* SystemPrinter::Ask()
{
    if (!CanPrint())
        return nullptr;
    // The dialog is made for each job: it takes the printer's settings
    // when it is made, and one kept from the start would give the printer
    // back the orientation it saw then, undoing a turn to landscape.
    QPrintDialog dialog(&printer_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return &printer_;
}
