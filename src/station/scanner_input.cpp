#include "station/scanner_input.h"

#include "link/serial_channel.h"
#include "meter/write_inputs.h"

#include <QThread>
#include <algorithm>

namespace {

constexpr char CarriageReturn = '\r';
// Far more than any label's code with its framing.
constexpr qsizetype LongestCode = 64;
// Lets the driver let go of the old port before the line is opened again.
constexpr unsigned long PortChangePauseMs = 100;

bool Blank(char byte)
{
    return static_cast<unsigned char>(byte) <= ' ';
}

// Blanks and control characters at either end are the scanner's framing;
// whatever else is not a meter number counts as 0.
qint64 CodeValue(const QByteArray& code)
{
    const auto first = std::find_if_not(code.cbegin(), code.cend(), Blank);
    const auto last = std::find_if_not(code.crbegin(), std::make_reverse_iterator(first), Blank).base();
    const QByteArray digits(first, last - first);
    if (digits.isEmpty() || !std::all_of(digits.cbegin(), digits.cend(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    bool ok = false;
    const quint64 value = digits.toULongLong(&ok);
    // A larger code written into the meter would lose its high bits while
    // the station records it whole.
    return ok && value <= quint64(SettingsInputs::LargestMeterNumber) ? qint64(value) : 0;
}

} // namespace

ScannerInput::ScannerInput(SerialChannel& channel, WriteInputs& inputs, QObject* parent)
    : QObject(parent), vaComm2_(channel), inputs_(inputs)
{
    connect(&vaComm2_, &SerialChannel::RxChar, this, &ScannerInput::VaComm2RxChar);
}

// A blocking pause: the close, the port change and the opening stay one
// step, so no receive event, tick or program end can come between them and
// find the line half moved.
void ScannerInput::ComboScanerChange(const QString& portText)
{
    try {
        vaComm2_.Close();
        QThread::msleep(PortChangePauseMs);
        vaComm2_.SetPortName(portText);
    } catch (const SerialChannelError& error) {
        emit UnhandledError(error.Text());
        return;
    }
    try {
        vaComm2_.Open();
    } catch (const SerialChannelError& error) {
        emit UnhandledError(PortOpenFailureText(portText, error));
    }
}

void ScannerInput::CheckScanerClick(bool ticked)
{
    try {
        if (ticked)
            vaComm2_.Open();
        else
            vaComm2_.Close();
    } catch (const SerialChannelError&) {
    }
}

void ScannerInput::StartUp(const QString& portText, bool sqlMode, bool ticked)
{
    vaComm2_.SetPortName(portText);
    if (!sqlMode || !ticked)
        return;
    try {
        vaComm2_.Open();
        vaComm2_.WriteText(QByteArray(1, '\0'));
    } catch (const SerialChannelError&) {
    }
}

// The program is ending: the port goes with it whatever the driver says.
void ScannerInput::Close()
{
    try {
        vaComm2_.Close();
    } catch (const SerialChannelError&) {
    }
}

void ScannerInput::VaComm2RxChar(int count)
{
    if (count == 0)
        return;
    try {
        scannerBuffer_ += vaComm2_.ReadText();
    } catch (const SerialChannelError& error) {
        emit UnhandledError(error.Text());
        return;
    }
    if (scannerBuffer_.contains(CarriageReturn))
        TakeCode();
    else if (scannerBuffer_.size() > LongestCode)
        // Noise that never ends in a carriage return must not grow without
        // end; what is kept still spoils the next code, as noise should.
        scannerBuffer_ = scannerBuffer_.right(LongestCode);
}

// The whole buffer is one code, so two codes in one read make no number:
// the operator sees 0 and scans again.
void ScannerInput::TakeCode()
{
    inputs_.settings.number = CodeValue(scannerBuffer_);
    scannerBuffer_.clear();
    inputs_.NotifyChanged();
}
