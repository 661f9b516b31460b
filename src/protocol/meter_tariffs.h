#pragma once
// The meter bills by tariffs numbered 1 to TariffCount: its schedule names
// them, and it keeps a reading for each.

inline constexpr int TariffCount = 8;
