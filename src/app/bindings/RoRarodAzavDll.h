#pragma once

#include "ModuleLoader.h"

#include <windows.h>

#include <functional>
#include <string>

// The translation library "RoRarodAzav.dll" beside the program. One instance for the whole run,
// loaded at the first translation and kept until the process ends.
class RoRarodAzavDll {
public:
    using VnTranslateStrFn = DWORD(WINAPI*)(const wchar_t* source, wchar_t* buffer, DWORD capacity);
    // Bound with the other so that an incomplete library is caught; never called.
    using VnGetLangNameFn = DWORD(WINAPI*)();
    // Called with the condition that failed when the library lacks an entry point. The default
    // reports it and ends the process; a handler that returns leaves the binding unloaded.
    using CheckFailedHandler = std::function<void(const std::wstring& check)>;

    static constexpr DWORD kInitialCapacity = 1024;
    static constexpr DWORD kCapacityStep = 1024;
    // A library that still wants more room at this capacity is not believed.
    static constexpr DWORD kMaxCapacity = 65536;

    // The process's instance, created and loaded on the first call; never destroyed.
    static RoRarodAzavDll& GetInstance();

    RoRarodAzavDll();
    RoRarodAzavDll(ModuleLoader& loader, CheckFailedHandler onCheckFailed);
    virtual ~RoRarodAzavDll();

    RoRarodAzavDll(const RoRarodAzavDll&) = delete;
    RoRarodAzavDll& operator=(const RoRarodAzavDll&) = delete;

    // Loads the library; true when loading failed. Separate from the constructor so that a
    // derived GetDllPath takes part.
    bool Init();
    // True when the library was loaded and bound.
    bool Load();
    virtual std::wstring GetDllPath();

    // The text in the user's language; the text itself when the library is not available or
    // does not give a usable answer.
    std::wstring Translate(const std::wstring& text);

private:
    VnTranslateStrFn m_pVnTranslateStr = nullptr;
    VnGetLangNameFn m_pVnGetLangName = nullptr;
    HMODULE m_hModule = nullptr;
    ModuleLoader& loader_;
    CheckFailedHandler onCheckFailed_;
};
