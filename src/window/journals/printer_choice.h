#pragma once
// The printer a journal is printed on, chosen in the system's print dialog;
// tests put a printer of their own in its place.

#include <QPrinter>
#include <memory>

class QPagedPaintDevice;
class QPrintDialog;
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
    ~SystemPrinter() override;

    bool CanPrint() const override;
    QPagedPaintDevice* Ask() override;

private:
    // One printer for the whole run: a switch to landscape stays for the
    // next print jobs, as do the operator's choices in the dialog.
    QPrinter printer_;
    // Made only when there is a printer to choose.
    std::unique_ptr<QPrintDialog> dialog_;
};
