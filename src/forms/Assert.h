#pragma once

// An assertion that stays active in every build type: a failed check reports the expression text
// with the source file's name (no folder) and line, then the process ends after the application's
// forms ran their OnDestroy. Tests install a handler that throws instead.

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

// The source file's name without its folder where the compiler offers it (GCC 12, Clang 9).
#ifdef __FILE_NAME__
#define FORMS_SOURCE_FILE __FILE_NAME__
#else
#define FORMS_SOURCE_FILE __FILE__
#endif

// A check that failed with the fixed text `text`, reported with this file's name and line.
#define FORMS_ASSERT_FAILED(text) ::forms::AssertionFailed(text, FORMS_SOURCE_FILE, __LINE__)

#define FORMS_ASSERT(expr) ((expr) ? static_cast<void>(0) : FORMS_ASSERT_FAILED(#expr))
