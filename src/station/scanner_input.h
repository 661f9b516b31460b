#pragma once
// The barcode scanner on the production line: every code it sends, ended by
// a carriage return, becomes the meter number of the tab "Установка". The
// scanner only sends; the station writes to it once, when it opens the line
// at start-up, and never answers a code.

#include <QByteArray>
#include <QObject>
#include <QString>

class SerialChannel;
class WriteInputs;

class ScannerInput : public QObject {
    Q_OBJECT
public:
    // Neither the channel nor the inputs are owned.
    ScannerInput(SerialChannel& channel, WriteInputs& inputs, QObject* parent = nullptr);

    SerialChannel& VaComm2() { return vaComm2_; }
    // What has arrived since the last complete code.
    const QByteArray& ScannerBuffer() const { return scannerBuffer_; }

    // The operator chose the port named portText: the line moves there and
    // opens, ticked or not. An open failure is reported by UnhandledError,
    // in the same words and with the same reason as the meter's port.
    void ComboScanerChange(const QString& portText);
    // Opens or closes the line; a failure leaves the scanner silent, unreported.
    void CheckScanerClick(bool ticked);
    // The end of the station's start-up: the line takes the chosen port and,
    // on the production line with the scanner in use, opens and sends one
    // byte 0x00. Failures are not reported.
    void StartUp(const QString& portText, bool sqlMode, bool ticked);
    // The end of the program.
    void Close();

    void VaComm2RxChar(int count);

signals:
    // A failure nobody handles: the station's general error display shows it.
    void UnhandledError(const QString& text);

private:
    void TakeCode();

    SerialChannel& vaComm2_;
    WriteInputs& inputs_;
    QByteArray scannerBuffer_;
};
