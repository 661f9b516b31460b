#include "window/main/scanner_binding.h"

#include "station/scanner_input.h"
#include "window/main/connect_panel.h"

#include <QCheckBox>
#include <QComboBox>

void BindScanner(ScannerInput& scanner, const ConnectPanel& panel, std::function<void(const QString&)> showError)
{
    QObject::connect(panel.ComboScaner, &QComboBox::activated, &scanner,
                     [&scanner, combo = panel.ComboScaner](int index) { scanner.ComboScanerChange(combo->itemText(index)); });
    QObject::connect(panel.CheckScaner, &QCheckBox::clicked, &scanner, &ScannerInput::CheckScanerClick);
    QObject::connect(&scanner, &ScannerInput::UnhandledError, panel.PanelScaner, std::move(showError));
}
