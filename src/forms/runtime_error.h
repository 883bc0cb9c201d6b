// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include <stdexcept>
#include <string>

namespace forms {

// The run-time errors that the game's code can raise. The numbers and
// descriptions are the ones the player sees in the fatal report.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    InternalError = 51,
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(ErrorNumber number);
    RuntimeError(ErrorNumber number, const std::string& description);

    int Number() const noexcept { return static_cast<int>(number_); }
    const char* Description() const noexcept { return what(); }

private:
    ErrorNumber number_;
};

// The standard description of an error number.
const char* DescriptionOf(ErrorNumber number) noexcept;

[[noreturn]] void Raise(ErrorNumber number);

} // namespace forms
