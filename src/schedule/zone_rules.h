#pragma once
// The rules of the day-profile editor's zone fields.

inline constexpr int LastMinuteOfDay = 23 * 60 + 59;

// A zone without a power limit keeps one tariff; a zone with a limit
// switches to another tariff when the limit is exceeded.
constexpr bool ZoneAcceptable(int tariff, int limitTariff, int limit)
{
    return tariff == limitTariff ? limit == 0 : limit != 0;
}
