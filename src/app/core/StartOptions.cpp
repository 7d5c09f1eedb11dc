#include "StartOptions.h"

#include <windows.h>
#include <shellapi.h>

bool StartsHidden(const std::vector<std::wstring>& arguments)
{
    return !arguments.empty() && arguments.front() == L"-h";
}

std::vector<std::wstring> CommandLineArguments()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr)
        return {};
    std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    LocalFree(argv);
    return arguments;
}
