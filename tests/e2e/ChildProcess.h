#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ProcessResult {
    // Nothing when the program could not be started or did not finish in time.
    std::optional<DWORD> exitCode;
    std::string out;
    std::string err;
};

// Builds a command line whose arguments the C runtime splits back exactly as given.
std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments);

// Runs a program with its standard output and error captured and waits until it and every
// program it started have ended. The child gets this process's environment without
// `removedVariable`, so that the stand-ins find their state beside themselves.
ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& currentFolder,
                         const wchar_t* removedVariable, DWORD timeoutMs);

// Starts a program as RunProcess does, with its output discarded, and returns its process handle
// without waiting (null when it could not be started). The caller closes the handle.
HANDLE StartProcess(const std::wstring& commandLine, const std::wstring& currentFolder,
                    const wchar_t* removedVariable);

}  // namespace e2e
