#pragma once

// The meter type this station programs, as the production database knows
// it.
constexpr int MeterTypeId = 30;
