// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's numbers. Integer (16-bit) and Long (32-bit) never wrap: any
// result outside their range raises the "Overflow" run-time error before
// anything is stored. Double checks every result for the floating-point
// faults (invalid operation, division by zero, overflow).

#include "runtime_error.h"

#include <cmath>
#include <compare>
#include <cstdint>
#include <limits>
#include <string>

namespace forms {

namespace detail {

template <typename Narrow>
constexpr Narrow Checked(std::int64_t wide)
{
    if (wide < std::numeric_limits<Narrow>::min() || wide > std::numeric_limits<Narrow>::max())
        Raise(ErrorNumber::Overflow);
    return static_cast<Narrow>(wide);
}

} // namespace detail

// A checked signed whole number of the width of Raw.
template <typename Raw>
class Whole {
public:
    constexpr Whole() = default;
    // Implicit, so that literals read naturally: `ReelPos(r) = 10`.
    constexpr Whole(std::int64_t value) // NOLINT(google-explicit-constructor)
        : value_(detail::Checked<Raw>(value))
    {
    }
    // A narrower whole number widens without a check.
    template <typename Narrower>
        requires(sizeof(Narrower) < sizeof(Raw))
    constexpr Whole(Whole<Narrower> narrower) // NOLINT(google-explicit-constructor)
        : value_(narrower.Value())
    {
    }

    constexpr Raw Value() const { return value_; }

    friend constexpr Whole operator+(Whole a, Whole b) { return Whole(std::int64_t { a.value_ } + b.value_); }
    friend constexpr Whole operator-(Whole a, Whole b) { return Whole(std::int64_t { a.value_ } - b.value_); }
    friend constexpr Whole operator*(Whole a, Whole b) { return Whole(std::int64_t { a.value_ } * b.value_); }
    friend constexpr Whole operator-(Whole a) { return Whole(-std::int64_t { a.value_ }); }
    friend constexpr bool operator==(Whole a, Whole b) = default;
    // NOLINTNEXTLINE(modernize-use-nullptr): clang-tidy 14 misreads a defaulted <=>
    friend constexpr auto operator<=>(Whole a, Whole b) = default;

private:
    Raw value_ = 0;
};

using Integer = Whole<std::int16_t>;
using Long = Whole<std::int32_t>;

// A floating-point number whose every result is checked.
class Double {
public:
    constexpr Double() = default;
    constexpr Double(double value) // NOLINT(google-explicit-constructor)
        : value_(value)
    {
    }
    constexpr double Value() const { return value_; }

    friend Double operator+(Double a, Double b) { return Checked(a.value_ + b.value_); }
    friend Double operator-(Double a, Double b) { return Checked(a.value_ - b.value_); }
    friend Double operator*(Double a, Double b) { return Checked(a.value_ * b.value_); }
    friend Double operator/(Double a, Double b)
    {
        // 0 / 0 is an invalid operation, which Checked reports.
        if (b.value_ == 0.0 && a.value_ != 0.0 && !std::isnan(a.value_))
            Raise(ErrorNumber::DivisionByZero);
        return Checked(a.value_ / b.value_);
    }
    friend constexpr auto operator<=>(Double a, Double b) = default;

private:
    static Double Checked(double result)
    {
        if (std::isnan(result))
            Raise(ErrorNumber::InvalidProcedureCall);
        if (std::isinf(result))
            Raise(ErrorNumber::Overflow);
        return result;
    }

    double value_ = 0.0;
};

// The whole part of x: the greatest whole number not above it.
inline Double Int(Double x)
{
    return std::floor(x.Value());
}

// x rounded to the nearest Integer, halves to even; "Overflow" outside the range.
inline Integer CInt(Double x)
{
    const double rounded = std::nearbyint(x.Value());
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        Raise(ErrorNumber::Overflow);
    return static_cast<std::int64_t>(rounded);
}

// The decimal text of a number: digits only, a minus sign when negative.
template <typename Raw>
std::string CStr(Whole<Raw> n)
{
    return std::to_string(n.Value());
}

} // namespace forms
