// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "random.h"

#include <chrono>

namespace forms {

void RandomSource::Seed(std::uint64_t seed)
{
    std::seed_seq sequence { static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32) };
    engine_.seed(sequence);
}

void RandomSource::SeedFromClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch();
    Seed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count())
        ^ (static_cast<std::uint64_t>(ticks.count()) << 1));
}

double RandomSource::Next()
{
    // The top 53 bits scaled by 2^-53: every value is exact and below 1.
    // (std::generate_canonical may round up to 1.0.)
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

} // namespace forms
