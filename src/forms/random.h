// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <random>

namespace forms {

// Uniform random numbers in [0, 1) from a seedable generator.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0) { Seed(seed); }

    void Seed(std::uint64_t seed);
    // Seeds from a high-resolution clock, so that two seeds taken within
    // the same second still differ.
    void SeedFromClock();
    double Next();

private:
    std::mt19937_64 engine_;
};

} // namespace forms
