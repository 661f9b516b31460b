#include "sim/meter_login.h"

#include "protocol/password_mask.h"

QByteArray MeterLogin::Unmask(const QByteArray& masked, quint32 number) const
{
    const QByteArray mask = AccessMask(number, reportedCounter_);
    QByteArray plain = masked;
    for (qsizetype i = 0; i < plain.size() && i < mask.size(); ++i)
        plain[i] = char(plain[i] ^ mask[i]);
    return plain;
}

bool MeterLogin::Enter(const QByteArray& masked, quint32 number, const QByteArray& password)
{
    open_ = Unmask(masked, number) == password;
    return open_;
}
