// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A list of values whose bounds are set at run time and can grow while
// keeping its contents. Every access is tested against the current bounds.

#include "runtime_error.h"
#include "values.h"

#include <cstddef>
#include <vector>

namespace forms {

template <typename T>
class List {
public:
    // Gives the list the bounds lower to upper, keeping the entries that
    // stay within them; new entries start out empty.
    void ReDimPreserve(Integer lower, Integer upper)
    {
        if (upper < lower - 1)
            Raise(ErrorNumber::SubscriptOutOfRange);
        if (!items_.empty() && lower != lower_)
            Raise(ErrorNumber::SubscriptOutOfRange);
        lower_ = lower;
        const int count = upper.Value() - lower.Value() + 1;
        items_.resize(static_cast<std::size_t>(count));
    }

    T& operator()(Integer i) { return items_[Offset(i)]; }
    const T& operator()(Integer i) const { return items_[Offset(i)]; }

private:
    std::size_t Offset(Integer i) const
    {
        const int offset = i.Value() - lower_.Value();
        if (offset < 0 || static_cast<std::size_t>(offset) >= items_.size())
            Raise(ErrorNumber::SubscriptOutOfRange);
        return static_cast<std::size_t>(offset);
    }

    Integer lower_ = 0;
    std::vector<T> items_;
};

} // namespace forms
