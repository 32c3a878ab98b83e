#pragma once
// The powers of ten that scale a parsed number, each the extended value
// nearest to the exact power. A decimal exponent n is applied as up to three
// factors: 10^(n mod 32), 10^(32 * ((n div 32) mod 16)), 10^(512 * (n div 512)).

#include <array>

#include "core/extended.h"

extern const std::array<Extended, 32> kPowersOfTenSmall;   // 10^0 .. 10^31
extern const std::array<Extended, 15> kPowersOfTenMedium;  // 10^32 .. 10^480, step 32
extern const std::array<Extended, 9> kPowersOfTenLarge;    // 10^512 .. 10^4608, step 512
