#pragma once
// The printer a journal is printed on, chosen in the system's print dialog;
// tests put a printer of their own in its place.

#include <QPrinter>

class QPagedPaintDevice;
class QWidget;

class PrinterChoice {
public:
    virtual ~PrinterChoice() = default;
    // At least one printer is installed.
    virtual bool CanPrint() const = 0;
    // Shows the print dialog: the printer to print on, or null when the
    // operator cancels.
    virtual QPagedPaintDevice* Ask() = 0;
};

class SystemPrinter : public PrinterChoice {
public:
    explicit SystemPrinter(QWidget* parent);

    bool CanPrint() const override;
    // Null as well without a printer installed.
    QPagedPaintDevice* Ask() override;

private:
    QWidget* parent_;
    // One printer for the whole run, at its own resolution: a switch to
    // landscape stays for the next print jobs, as do the operator's
    // choices in the dialog.
    QPrinter printer_{QPrinter::HighResolution};
};
