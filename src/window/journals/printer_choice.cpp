#include "window/journals/printer_choice.h"

#include <QPrintDialog>
#include <QPrinterInfo>

SystemPrinter::SystemPrinter(QWidget* parent)
{
    if (CanPrint())
        dialog_ = std::make_unique<QPrintDialog>(&printer_, parent);
}

SystemPrinter::~SystemPrinter() = default;

bool SystemPrinter::CanPrint() const
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPagedPaintDevice* SystemPrinter::Ask()
{
    if (!dialog_ || dialog_->exec() != QDialog::Accepted)
        return nullptr;
    return &printer_;
}
