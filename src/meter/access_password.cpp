#include "meter/access_password.h"

#include "protocol/frame.h"
#include "link/meter_link.h"
#include "meter/meter_readings.h"
#include "meter/operation_log.h"
#include "meter/write_inputs.h"

namespace {

// Code and length byte: the part of a queued request the sent frame keeps.
constexpr int FrameHeadLength = 2;

QByteArray PasswordRequest(quint8 code)
{
    return MakeFrame(code, QByteArray(PasswordLength, '\0'));
}

} // namespace

QString PasswordHint(const QString& text)
{
    return HexDump(PasswordBytes(text));
}

QByteArray BuildPasswordFrame(const QByteArray& request, const QString& password, quint32 number,
    quint32 operatingTime)
{
    QByteArray payload = PasswordBytes(password);
    const QByteArray mask = AccessMask(number, operatingTime);
    for (int i = 0; i < PasswordLength; ++i)
        payload[i] = char(payload[i] ^ mask[i]);
    QByteArray frame = request.left(FrameHeadLength) + payload;
    AppendCrc(frame);
    return frame;
}

QList<QByteArray> LoginRequests()
{
    return {MakeFrame(ReadNumber), MakeFrame(ReadCounters), PasswordRequest(EnterPassword)};
}

QByteArray NewPasswordRequest()
{
    return PasswordRequest(WritePassword);
}

AccessPassword::AccessPassword(MeterLink& link, MeterReadings& readings, WriteInputs& inputs, OperationLog& log)
{
    // Built at send time, so the mask takes the number and counter the
    // batch's own login has just read, and a password edited while the
    // batch waits is the one sent.
    link.SetPasswordFrameBuilder([&readings = readings, &inputs = inputs](const QByteArray& request) {
        const SettingsInputs& settings = inputs.settings;
        const QString& password
            = quint8(request[0]) == WritePassword ? settings.newPassword : settings.accessPassword;
        return BuildPasswordFrame(request, password, readings.MeterNumber(), readings.OperatingTime());
    });
    // Every later login must use the password the meter now holds.
    link.RegisterDecoder(WritePassword, [&inputs = inputs, &log = log](const QByteArray&, const QByteArray&) {
        inputs.settings.accessPassword = inputs.settings.newPassword;
        inputs.NotifyChanged();
        log.Append(QStringLiteral("Пароль=") + inputs.settings.newPassword);
    });
}
