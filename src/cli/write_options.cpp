#include "cli/write_options.h"

#include "meter/access_password.h"
#include "meter/settings_write.h"
#include "workstation/workstation_clock.h"

#include <QDateTime>
#include <optional>

namespace {

constexpr int LargestDay = 31;
constexpr int LargestHour = 23;
constexpr int LargestIndicatorMask = 31;
constexpr int LargestIntegration = 60;
constexpr qint64 LargestDdmNumber = 0xFFFFFF;
constexpr int LargestDdmMode = 8;

std::optional<qint64> Whole(const QString& text, qint64 smallest, qint64 largest)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < smallest || value > largest)
        return std::nullopt;
    return value;
}

// "A,B" with A and B each in their range.
std::optional<std::pair<qint64, qint64>> WholePair(
    const QString& text, std::pair<qint64, qint64> firstRange, std::pair<qint64, qint64> secondRange)
{
    const QStringList parts = text.split(',');
    if (parts.size() != 2)
        return std::nullopt;
    const auto first = Whole(parts[0], firstRange.first, firstRange.second);
    const auto second = Whole(parts[1], secondRange.first, secondRange.second);
    if (!first || !second)
        return std::nullopt;
    return std::pair{*first, *second};
}

// The clock entries; empty when they are usable.
QString TakeClock(const QCommandLineParser& parser, WriteChoices& choices)
{
    SettingsInputs& in = choices.inputs;
    in.checkTime = parser.isSet("time");
    in.dst = parser.isSet("dst");
    if (!in.checkTime)
        return in.dst ? QStringLiteral("--dst goes with --time.") : QString();
    const QString text = parser.value("time");
    choices.timeNow = text == QStringLiteral("now");
    if (choices.timeNow) {
        SetClockToNow(in);
    } else {
        // Date and time apart, as the two pickers hold them: the meter keeps
        // no time zone, so an hour the workstation skips for summer time is
        // still a clock it can be set to.
        const QStringList parts = text.split('T');
        in.date = QDate::fromString(parts.value(0), QStringLiteral("yyyy-MM-dd"));
        in.time = QTime::fromString(parts.value(1), QStringLiteral("HH:mm:ss"));
        if (parts.size() != 2 || !in.date.isValid() || !in.time.isValid())
            return QStringLiteral("--time must be now or a date and time as YYYY-MM-DDThh:mm:ss.");
    }
    // As a picker the operator has touched: the station's clock timer
    // leaves it alone.
    in.dateEdited = in.timeEdited = true;
    return {};
}

// The other entries; empty when they are usable.
QString TakeSettings(const QCommandLineParser& parser, SettingsInputs& in)
{
    if ((in.checkSchedule = parser.isSet("settlement"))) {
        const auto dayHour = WholePair(parser.value("settlement"), {1, LargestDay}, {0, LargestHour});
        if (!dayHour)
            return QStringLiteral("--settlement must be DAY,HOUR with the day 1..31 and the hour 0..23.");
        in.day = int(dayHour->first);
        in.hour = int(dayHour->second);
    }
    if ((in.checkIndi = parser.isSet("indicator"))) {
        const auto mask = Whole(parser.value("indicator"), 0, LargestIndicatorMask);
        if (!mask)
            return QStringLiteral("--indicator must be a mask 0..31 of the five indicator items.");
        for (std::size_t item = 0; item < in.indicator.size(); ++item)
            in.indicator[item] = (*mask >> item) & 1;
    }
    if ((in.checkIntegra = parser.isSet("integration"))) {
        const auto minutes = Whole(parser.value("integration"), 1, LargestIntegration);
        if (!minutes)
            return QStringLiteral("--integration must be 1..60 minutes.");
        in.integra = int(*minutes);
    }
    if ((in.checkPassword = parser.isSet("new-password"))) {
        in.newPassword = parser.value("new-password");
        if (!IsValidPassword(in.newPassword))
            return QStringLiteral("--new-password must be at most 6 characters of the Windows-1251 code page.");
    }
    if ((in.checkDdm = parser.isSet("ddm"))) {
        const auto numberMode = WholePair(parser.value("ddm"), {0, LargestDdmNumber}, {0, LargestDdmMode});
        if (!numberMode)
            return QStringLiteral("--ddm must be NUMBER,MODE with the number 0..16777215 and the mode 0..8 (0: авто).");
        in.ddmNumber = quint32(numberMode->first);
        in.ddmMode = int(numberMode->second);
    }
    in.checkResetTariff = parser.isSet("reset-schedule");
    in.checkResetRdh = parser.isSet("reset-rdh");
    if (parser.isSet("number")) {
        const auto number = Whole(parser.value("number"), 1, SettingsInputs::LargestNumber);
        if (!number)
            return QStringLiteral("--number must be 1..%1: six digits at most, as the station takes it.")
                .arg(SettingsInputs::LargestNumber);
        in.number = *number;
    }
    return {};
}

} // namespace

void SetClockToNow(SettingsInputs& inputs)
{
    const QDateTime now = WorkstationClock::Now();
    inputs.date = now.date();
    // Whole seconds, as the pickers show it: the meter takes no more, and
    // the production record stores the clock as written.
    inputs.time = QTime(now.time().hour(), now.time().minute(), now.time().second());
}

QCommandLineOption MeterNumberOption()
{
    return {"number", "The meter number 1..999999, for a meter that has none yet; on a meter that has one the "
                      "whole command is refused.", "N"};
}

QList<QCommandLineOption> WriteOptions()
{
    return {
        {"time", "Set the clock to the workstation's (now) or to YYYY-MM-DDThh:mm:ss.", "now|TIME"},
        {"dst", "With --time, the meter switches to summer time by itself."},
        {"settlement", "Settlement day 1..31 and hour 0..23.", "DAY,HOUR"},
        {"indicator", "Indicator items as a mask 0..31 (1 total, 2 at settlement, 4 date, 8 power, "
                      "16 automatic switching).", "MASK"},
        {"integration", "Peak-power integration time, 1..60 minutes.", "MINUTES"},
        {"new-password", "A new access password, at most 6 characters.", "TEXT"},
        {"ddm", "Number 0..16777215 and tariff mode 0..8 (0: авто) of the remote display; on a type-341 meter, "
                "which has none, the whole write is refused.", "NUMBER,MODE"},
        {"reset-schedule", "Erase the tariff schedule, holidays and transfers."},
        {"reset-rdh", "Reset the readings kept at the settlement day and hour."},
        MeterNumberOption(),
    };
}

QString AccessPasswordRefusal(const QString& password)
{
    if (IsValidPassword(password))
        return {};
    return QStringLiteral("--password must be at most 6 characters of the Windows-1251 code page.");
}

std::variant<WriteChoices, QString> ParseWriteOptions(const QCommandLineParser& parser, const QString& accessPassword)
{
    WriteChoices choices;
    SettingsInputs& in = choices.inputs;
    in.accessPassword = accessPassword;
    QString reason = AccessPasswordRefusal(accessPassword);
    if (reason.isEmpty())
        reason = TakeClock(parser, choices);
    if (reason.isEmpty())
        reason = TakeSettings(parser, in);
    if (!reason.isEmpty())
        return reason;
    // A clock the meter cannot hold is refused before anything is sent.
    const auto batch = BuildSettingsBatch(in, QString());
    if (const auto* refusal = std::get_if<QString>(&batch))
        return *refusal;
    return choices;
}
