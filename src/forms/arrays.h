// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// Arrays with fixed, inclusive bounds, indexed like the game's own tables
// (`ReelPos(r)`, `ReelStrip(r, i)`). An index outside the bounds raises
// "Subscript out of range"; the elements start out as zero or empty.

#include "runtime_error.h"
#include "values.h"

#include <array>
#include <cstddef>

namespace forms {

namespace detail {

template <int Lower, int Upper>
constexpr std::size_t Offset(Integer index)
{
    static_assert(Lower <= Upper);
    if (index.Value() < Lower || index.Value() > Upper)
        Raise(ErrorNumber::SubscriptOutOfRange);
    return static_cast<std::size_t>(index.Value() - Lower);
}

} // namespace detail

template <typename T, int Lower, int Upper>
class Array {
public:
    T& operator()(Integer i) { return items_[detail::Offset<Lower, Upper>(i)]; }
    const T& operator()(Integer i) const { return items_[detail::Offset<Lower, Upper>(i)]; }

private:
    std::array<T, Upper - Lower + 1> items_ {};
};

template <typename T, int Lower1, int Upper1, int Lower2, int Upper2>
class Array2D {
public:
    T& operator()(Integer i, Integer j) { return items_[Flat(i, j)]; }
    const T& operator()(Integer i, Integer j) const { return items_[Flat(i, j)]; }

private:
    static constexpr std::size_t kColumns = Upper2 - Lower2 + 1;

    static std::size_t Flat(Integer i, Integer j)
    {
        // Both subscripts are tested before either is used.
        const std::size_t row = detail::Offset<Lower1, Upper1>(i);
        const std::size_t column = detail::Offset<Lower2, Upper2>(j);
        return row * kColumns + column;
    }

    std::array<T, (Upper1 - Lower1 + 1) * kColumns> items_ {};
};

} // namespace forms
