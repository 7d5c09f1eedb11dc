#pragma once

#include "ModuleLoader.h"

#include <windows.h>
#include <shellapi.h>

// The shell and library calls behind the key actions, so that tests can watch them.
class KeyActionPlatform : public ModuleLoader {
public:
    // ShellExecuteExW.
    virtual BOOL ExecuteShell(SHELLEXECUTEINFOW& info) = 0;
};

// The platform's own calls.
class Win32KeyActionPlatform final : public KeyActionPlatform {
public:
    BOOL ExecuteShell(SHELLEXECUTEINFOW& info) override;
    HMODULE Load(const std::wstring& path) override;
    FARPROC GetProc(HMODULE module, const char* name) override;
    void Free(HMODULE module) override;
    bool FileExists(const std::wstring& path) override;
};

// The process-wide instance of the platform's own calls.
KeyActionPlatform& SystemKeyActionPlatform();
