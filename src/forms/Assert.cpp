#include "forms/Assert.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "forms/Application.h"
#include "forms/Rtl.h"

namespace forms {

namespace {

AssertHandler& Handler()
{
    static AssertHandler handler;
    return handler;
}

void DefaultReport(const AssertionFailure& failure)
{
    const std::string text = std::string("Assertion failed: ") + failure.Expression + ", file " + failure.File +
                             ", line " + std::to_string(failure.Line);
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error != nullptr && error != INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
    } else {
        MessageBoxW(nullptr, Utf8ToWide(text).c_str(), ModuleFileName().c_str(),
                    MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    }
}

}  // namespace

AssertHandler SetAssertHandler(AssertHandler handler)
{
    AssertHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

void AssertionFailed(const char* expression, const char* file, int line)
{
    const AssertionFailure failure{expression, file, line};
    if (Handler())
        Handler()(failure);
    else
        DefaultReport(failure);
    // Nothing may run on past a failed check, whatever the handler did; only what the forms hold
    // outside the process is given back first.
    Application().EndProcess(3);
}

}  // namespace forms
