#pragma once

// An assertion that stays active in every build type: a failed check reports the expression text,
// then the process ends. Tests install a handler that throws instead.

#include <functional>

namespace forms {

struct AssertionFailure {
    const char* Expression;
    const char* File;
    int Line;
};

using AssertHandler = std::function<void(const AssertionFailure&)>;

// Replaces the handler; returns the previous one. An empty handler restores the default, which writes
// "Assertion failed: <expression>, file <file>, line <line>" to standard error, or shows it in a
// message box when the process has no standard error, and then ends the process.
AssertHandler SetAssertHandler(AssertHandler handler);

// Reports the failure through the handler; if the handler returns, the process still ends.
[[noreturn]] void AssertionFailed(const char* expression, const char* file, int line);

}  // namespace forms

#define FORMS_ASSERT(expr) \
    ((expr) ? static_cast<void>(0) : ::forms::AssertionFailed(#expr, __FILE__, __LINE__))
