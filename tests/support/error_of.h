#pragma once

#include "forms/runtime_error.h"

#include <functional>

// The run-time error number that the operation raises, or 0 when it succeeds.
inline int ErrorOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const forms::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}
