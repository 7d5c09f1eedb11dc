#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

// Reports a crash and ends the program at once (instead of waiting for a debugger).
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* crash)
{
    std::fprintf(stderr, "crash: exception 0x%08lx at %p\n", crash->ExceptionRecord->ExceptionCode,
                 crash->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Under Wine the first window of a session starts the desktop process, which takes the error output
// of the program that started it along and outlives it: ctest would wait for the desktop to end
// before it saw this program end. The desktop is asked for now, while the error output goes nowhere.
void StartDesktopWithoutOurOutput()
{
    const HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (nowhere == INVALID_HANDLE_VALUE)
        return;
    const HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
    SetStdHandle(STD_ERROR_HANDLE, nowhere);
    GetDesktopWindow();
    SetStdHandle(STD_ERROR_HANDLE, errors);
    CloseHandle(nowhere);
}

}  // namespace

int main(int argc, char** argv)
{
    // A crash must fail the test run, not wait for someone to close a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(ReportCrash);
    StartDesktopWithoutOurOutput();
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
