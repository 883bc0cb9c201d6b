// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "runtime_error.h"

namespace forms {

const char* DescriptionOf(ErrorNumber number) noexcept
{
    switch (number) {
    case ErrorNumber::InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::OutOfMemory:
        return "Out of memory";
    case ErrorNumber::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrorNumber::DivisionByZero:
        return "Division by zero";
    case ErrorNumber::InternalError:
        return "Internal error";
    }
    return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(ErrorNumber number)
    : RuntimeError(number, DescriptionOf(number))
{
}

RuntimeError::RuntimeError(ErrorNumber number, const std::string& description)
    : std::runtime_error(description)
    , number_(number)
{
}

void Raise(ErrorNumber number)
{
    throw RuntimeError(number);
}

} // namespace forms
