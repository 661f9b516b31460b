#include "link/serial_channel.h"

#include "workstation/workstation_identity.h"

#include <utility>

namespace {

const char* const PortOpenText = "Can't perform this operation while port is open";

QString CauseText(const SerialChannelError& error)
{
    switch (error.OpenCause()) {
    case SerialChannelError::Cause::NoSuchPort:
        return QStringLiteral("порт не найден");
    case SerialChannelError::Cause::Busy:
        return QStringLiteral("порт занят");
    case SerialChannelError::Cause::NoPermission:
        return QStringLiteral("нет прав на доступ к порту");
    case SerialChannelError::Cause::Other:
        break;
    }
    return error.SystemText().isEmpty() ? error.Text() : error.SystemText();
}

// Serial devices belong to the group dialout on Debian and its kin; a new
// member of a group gets its rights with the next login.
QString AccessAdvice()
{
#ifdef Q_OS_LINUX
    QString user = LoginName();
    if (user.isEmpty())
        user = QStringLiteral("$USER");
    // The command on a line of its own, so that no line break splits it.
    return QStringLiteral("\nПользователь %1 должен входить в группу dialout. Добавьте его командой\n"
                          "sudo usermod -aG dialout %1\n"
                          "и войдите в систему заново.")
        .arg(user);
#else
    return {};
#endif
}

} // namespace

SerialChannelError::SerialChannelError(const QString& text, Cause cause, const QString& systemText)
    : std::runtime_error(text.toStdString()), cause_(cause), systemText_(systemText)
{
}

QString SerialChannelError::Text() const
{
    return QString::fromStdString(what());
}

SerialChannel::SerialChannel(const LineSettings& settings, QObject* parent)
    : QObject(parent), settings_(settings)
{
    // A coarse timer may fire 5 % early: the meter needs the whole pause.
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    pause_.setInterval(FirstBytePauseMs);
    connect(&pause_, &QTimer::timeout, this, &SerialChannel::SendRest);
}

SerialChannel::~SerialChannel() = default;

void SerialChannel::Open()
{
    if (Active())
        throw SerialChannelError(PortOpenText);
    OpenPort();
}

void SerialChannel::Close()
{
    pause_.stop();
    rest_.clear();
    ++sendings_;
    if (Active())
        ClosePort();
}

void SerialChannel::SetPortName(const QString& name)
{
    if (Active())
        throw SerialChannelError(PortOpenText);
    portName_ = name;
}

void SerialChannel::SetParity(Parity parity)
{
    if (parity == settings_.parity)
        return;
    settings_.parity = parity;
    if (Active())
        ApplyParity(parity);
}

void SerialChannel::SendRequest(const QByteArray& request)
{
    pause_.stop();
    ++sendings_;
    if (!Put(Parity::Mark, request.left(1))) {
        // Told from the event loop, as the end of every other request is.
        QMetaObject::invokeMethod(this, [this, begun = sendings_] {
            if (begun == sendings_)
                emit RequestSent(false);
        }, Qt::QueuedConnection);
        return;
    }
    rest_ = request.mid(1);
    pause_.start();
}

void SerialChannel::SendRest()
{
    emit RequestSent(Put(Parity::Space, std::exchange(rest_, {})));
}

bool SerialChannel::Put(Parity parity, const QByteArray& bytes)
{
    try {
        SetParity(parity);
        WriteText(bytes);
        return true;
    } catch (const SerialChannelError&) {
        return false;
    }
}

QString PortOpenFailureText(const QString& portText, const SerialChannelError& error)
{
    QString text = QStringLiteral("Ошибка открытия порта %1: %2").arg(portText, CauseText(error));
    if (error.OpenCause() == SerialChannelError::Cause::NoPermission)
        text += AccessAdvice();
    return text;
}
