// The barcode scanner's line: arbitrary bytes in arbitrary pieces, the line
// closed and opened between them, reads that fail. Every carriage return
// ends a code, and the number a code leaves is one a meter can hold.
//
// Input: steps, each a control byte and a piece scanned as one receive
// event.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "meter/write_inputs.h"
#include "sim/simulated_scanner.h"
#include "station/scanner_input.h"

namespace {

void CheckCode(const ScannerInput& scanner, const WriteInputs& inputs)
{
    Require(!scanner.ScannerBuffer().contains('\r'));
    Require(inputs.settings.number >= 0 && inputs.settings.number <= SettingsInputs::LargestMeterNumber);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxFuzzInputSize)
        return 0;
    EnsureCoreApplication();
    FuzzInput input(data, size);
    SimulatedScanner line;
    WriteInputs inputs;
    ScannerInput scanner(line, inputs);
    scanner.CheckScanerClick(true);
    while (!input.AtEnd()) {
        const quint8 control = input.Byte();
        line.SetReadError(control & 0x01 ? QStringLiteral("Read error") : QString());
        if (control & 0x02) {
            // Pieces still on their way are lost with the closed line.
            scanner.CheckScanerClick(false);
            scanner.CheckScanerClick(true);
        }
        line.Scan(input.Piece());
        // Otherwise pieces pile up and arrive one event each, later.
        if (control & 0x04) {
            QCoreApplication::processEvents();
            CheckCode(scanner, inputs);
        }
    }
    line.SetReadError({});
    QCoreApplication::processEvents();
    CheckCode(scanner, inputs);
    return 0;
}
