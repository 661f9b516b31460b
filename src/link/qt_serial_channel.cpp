#include "link/qt_serial_channel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSerialPort>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr int WriteTimeoutMs = 1000;
const char* const DcbErrorText = "Error writing dcb (%1), %2";
const char* const WriteErrorText = "Write error (%1), %2";
const char* const ReadErrorText = "Read error (%1), %2";

// The port's pending error in the station's words. Cleared, so that each
// failure is reported once, by the operation that meets it.
SerialChannelError TakeError(QSerialPort& port, const char* text)
{
    const SerialChannelError error(
        QString::fromLatin1(text).arg(QString::number(int(port.error())), port.errorString()),
        SerialChannelError::Cause::Other, port.errorString());
    port.clearError();
    return error;
}

#ifdef Q_OS_WIN

// Overlapped writes complete only inside waitForBytesWritten(); whatever it
// receives meanwhile reaches the link later, because RxChar is queued.
bool HandOver(QSerialPort& port, const QDeadlineTimer& deadline)
{
    while (port.bytesToWrite() > 0) {
        if (port.waitForBytesWritten(int(deadline.remainingTime())))
            continue;
        if (port.error() != QSerialPort::TimeoutError)
            throw TakeError(port, WriteErrorText);
        port.clearError();
        return false;
    }
    return true;
}

bool Drain(QSerialPort& port)
{
    return ::FlushFileBuffers(port.handle()) != FALSE;
}

// A port is refused with "access denied" only while another program (or
// this one) holds it.
bool MayOpen(const QString&)
{
    return true;
}

// Windows reports a pulled adapter as a resource error of its own.
bool HungUp(QSerialPort&)
{
    return false;
}

bool ParityTaken(QSerialPort&, QSerialPort::Parity)
{
    return false;
}

// QSerialPort turns the driver's parity check on with any parity; the meter
// line's parity bit is data, so it is neither checked nor replaced.
bool KeepParityUnchecked(QSerialPort& port)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(port.handle(), &dcb))
        return false;
    dcb.fParity = FALSE;
    dcb.fErrorChar = FALSE;
    return ::SetCommState(port.handle(), &dcb) != FALSE;
}

#else

// flush() hands one buffered chunk to the OS without looking at the receive
// side; waitForBytesWritten() would read the meter's reply and raise
// readyRead in the middle of the link's send step.
bool HandOver(QSerialPort& port, const QDeadlineTimer& deadline)
{
    while (port.bytesToWrite() > 0) {
        if (deadline.hasExpired())
            return false;
        if (!port.flush())
            throw TakeError(port, WriteErrorText);
    }
    return true;
}

bool Drain(QSerialPort& port)
{
    int result;
    do
        result = ::tcdrain(port.handle());
    while (result == -1 && errno == EINTR);
    return result == 0;
}

// Whether the device's permissions let this process open it: QSerialPort
// reports a device the user may not open and one held by another program
// (its lock file, or an exclusive open) as the same error. The effective
// user is the one that opens.
bool MayOpen(const QString& portName)
{
    const QString path = portName.contains(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK | W_OK, AT_EACCESS) == 0
        || errno != EACCES;
}

// A line whose other end has gone (a pulled USB adapter, a closed
// pseudo-terminal) reads as end of file and polls as hung up for ever.
bool HungUp(QSerialPort& port)
{
    pollfd line{int(port.handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) == 1 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

// A pseudo-terminal keeps CMSPAR and PARODD but drops PARENB, so QSerialPort's
// check of what the line took may refuse a mark or space parity that the
// line has in fact taken (seen on reopening a line).
bool ParityTaken(QSerialPort& port, QSerialPort::Parity parity)
{
    if (parity != QSerialPort::MarkParity && parity != QSerialPort::SpaceParity)
        return false;
    termios line{};
    if (::tcgetattr(port.handle(), &line) != 0)
        return false;
    const tcflag_t wanted = parity == QSerialPort::MarkParity ? (CMSPAR | PARODD) : CMSPAR;
    return (line.c_cflag & (CMSPAR | PARODD)) == wanted;
}

// QSerialPort already leaves INPCK and PARMRK off for every parity.
bool KeepParityUnchecked(QSerialPort&)
{
    return true;
}

#endif

SerialChannelError::Cause OpenCause(const QSerialPort& port, const QString& portName)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return SerialChannelError::Cause::NoSuchPort;
    case QSerialPort::PermissionError:
        return MayOpen(portName) ? SerialChannelError::Cause::Busy : SerialChannelError::Cause::NoPermission;
    default:
        return SerialChannelError::Cause::Other;
    }
}

QSerialPort::Parity ToQtParity(Parity parity)
{
    switch (parity) {
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    case Parity::None:
        break;
    }
    return QSerialPort::NoParity;
}

bool SetLineParity(QSerialPort& port, Parity parity)
{
    const QSerialPort::Parity wanted = ToQtParity(parity);
    if (!port.setParity(wanted)) {
        if (port.error() != QSerialPort::UnsupportedOperationError || !ParityTaken(port, wanted))
            return false;
        port.clearError();
    }
    return KeepParityUnchecked(port);
}

} // namespace

QtSerialChannel::QtSerialChannel(const LineSettings& settings, QObject* parent)
    : SerialChannel(settings, parent), port_(new QSerialPort(this))
{
    // Queued: RxChar always comes from the event loop, never from inside a
    // port call the link makes while it sends.
    connect(port_, &QSerialPort::readyRead, this, &QtSerialChannel::AnnounceReceived,
            Qt::QueuedConnection);
    connect(port_, &QSerialPort::errorOccurred, this, &QtSerialChannel::CheckLine);
}

QtSerialChannel::~QtSerialChannel()
{
    Close();
}

bool QtSerialChannel::Active() const
{
    return port_->isOpen();
}

void QtSerialChannel::OpenPort()
{
    lost_ = false;
    port_->setPortName(PortName());
    if (!port_->open(QIODevice::ReadWrite)) {
        const SerialChannelError::Cause cause = OpenCause(*port_, PortName());
        if (port_->error() == QSerialPort::DeviceNotFoundError)
            throw SerialChannelError(QStringLiteral("Specified device not found (%1).").arg(PortName()), cause);
        throw SerialChannelError(QStringLiteral("Can't open specified device %1 (Error %2, %3)")
                                     .arg(PortName(), QString::number(int(port_->error())), port_->errorString()),
                                 cause, port_->errorString());
    }
    if (!ApplyLine()) {
        const SerialChannelError error = TakeError(*port_, DcbErrorText);
        port_->close();
        throw error;
    }
    SetModemLines();
}

void QtSerialChannel::ClosePort()
{
    port_->close();
}

void QtSerialChannel::ApplyParity(Parity parity)
{
    if (!SetLineParity(*port_, parity))
        throw TakeError(*port_, DcbErrorText);
}

bool QtSerialChannel::WriteText(const QByteArray& bytes)
{
    if (port_->write(bytes) != bytes.size())
        throw TakeError(*port_, WriteErrorText);
    const QDeadlineTimer deadline(WriteTimeoutMs);
    return HandOver(*port_, deadline) && Drain(*port_);
}

QByteArray QtSerialChannel::ReadText()
{
    // The port reads in the background as bytes arrive; a failure there
    // waits on the port until the link comes to collect.
    // A lost line has been reported once already, as lost.
    if (lost_)
        return {};
    const QSerialPort::SerialPortError error = port_->error();
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError)
        throw TakeError(*port_, ReadErrorText);
    return port_->readAll();
}

bool QtSerialChannel::ApplyLine()
{
    return port_->setBaudRate(Settings().baudRate) && port_->setDataBits(QSerialPort::Data8)
        && port_->setStopBits(QSerialPort::OneStop)
        && port_->setFlowControl(QSerialPort::NoFlowControl)
        && SetLineParity(*port_, CurrentParity());
}

// Best effort: a pseudo-terminal has no modem lines, and neither do some
// adapters; the data still flows without them.
void QtSerialChannel::SetModemLines()
{
    port_->setRequestToSend(Settings().rtsOn);
    port_->setDataTerminalReady(Settings().dtrOn);
    port_->clearError();
}

// A hung-up line keeps the port's notifiers firing (and a failed write keeps
// its bytes in the port's buffer), so the port is closed the moment the loss
// shows, from the event loop: closing a port inside its own notification is
// not safe.
void QtSerialChannel::CheckLine(QSerialPort::SerialPortError error)
{
    const bool failure = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError;
    if (lost_ || !failure || !port_->isOpen())
        return;
    const bool hungUp = HungUp(*port_);
    if (error != QSerialPort::ResourceError && !hungUp)
        return;
    lost_ = true;
    const QString reason = hungUp ? QStringLiteral("линия оборвана") : port_->errorString();
    QMetaObject::invokeMethod(this, [this, reason] {
        if (!Active())
            return;
        Close();
        emit Lost(reason);
    }, Qt::QueuedConnection);
}

void QtSerialChannel::AnnounceReceived()
{
    // The link may have collected these bytes, or closed the port, before
    // the queued event came round.
    const qint64 waiting = port_->bytesAvailable();
    if (waiting > 0)
        emit RxChar(int(waiting));
}
