// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <random>

namespace forms {

// Uniform random numbers in [0, 1) from a seedable generator: what Randomize
// and Rnd draw from. Tests derive from it to script the draws.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0) { Seed(seed); }
    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;
    virtual ~RandomSource() = default;

    void Seed(std::uint64_t seed);
    // Seeds from a high-resolution clock, so that two seeds taken within
    // the same second still differ.
    virtual void SeedFromClock();
    virtual double Next();

private:
    std::mt19937_64 engine_;
};

} // namespace forms
