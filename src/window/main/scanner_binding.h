#pragma once

#include <QString>
#include <functional>

class ScannerInput;
struct ConnectPanel;

// The operator's choice in ComboScaner and clicks on CheckScaner drive the
// scanner's line; its unhandled failures go to showError. Only the
// operator's actions count: the box ticked from the remembered settings at
// start-up opens nothing.
void BindScanner(ScannerInput& scanner, const ConnectPanel& panel, std::function<void(const QString&)> showError);
