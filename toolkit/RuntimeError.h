// SPDX-FileCopyrightText: 2026 The Quorvel developers <quorvel@users.noreply.github.com>
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <string>

namespace toolkit {

// The runtime's error numbers. Floating-point overflow shares the overflow number with a
// conversion out of range, as the user knows it.
enum class ErrorCode : int {
    InvalidOperation = 5,
    Overflow = 6,
    DivisionByZero = 11,
    TypeMismatch = 13,
    ControlArrayElementMissing = 340,
    InvalidPropertyValue = 380,
    FormMinimizedOrMaximized = 384,
};

// An error of the runtime: it ends the handler that raised it, and the toolkit shows it to the
// user at the event boundary. No handler traps it.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(ErrorCode code);

    ErrorCode code() const { return m_code; }
    int number() const { return static_cast<int>(m_code); }
    // The German text the user is shown.
    const std::string &message() const { return m_message; }
    const char *what() const noexcept override { return m_message.c_str(); }

private:
    ErrorCode m_code;
    std::string m_message;
};

// Thrown by End: unwinds the running handler; the event boundary then ends the program.
struct EndRequest
{
};

} // namespace toolkit
