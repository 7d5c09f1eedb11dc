#pragma once

#include <windows.h>
#include <shellapi.h>

// The shell and library calls behind the key actions, so that tests can watch them.
class KeyActionPlatform {
public:
    virtual ~KeyActionPlatform() = default;

    // ShellExecuteExW.
    virtual BOOL ExecuteShell(SHELLEXECUTEINFOW& info) = 0;
    // LoadLibraryW, GetProcAddress and FreeLibrary.
    virtual HMODULE OpenLibrary(const wchar_t* path) = 0;
    virtual FARPROC FindProc(HMODULE module, const char* name) = 0;
    virtual void CloseLibrary(HMODULE module) = 0;
};

// The platform's own calls.
class Win32KeyActionPlatform final : public KeyActionPlatform {
public:
    BOOL ExecuteShell(SHELLEXECUTEINFOW& info) override;
    HMODULE OpenLibrary(const wchar_t* path) override;
    FARPROC FindProc(HMODULE module, const char* name) override;
    void CloseLibrary(HMODULE module) override;
};

// The process-wide instance of the platform's own calls.
KeyActionPlatform& SystemKeyActionPlatform();
