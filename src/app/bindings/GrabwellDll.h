#pragma once

#include "ModuleLoader.h"
#include "UserNotifier.h"

#include <windows.h>

#include <string>

// The keyboard-hook library "Grabwell.dll". One module handle and the two entry points serve the
// Macro Keys page and the key-step dialog alike; every load replaces the handle, and nothing frees
// the library.
class GrabwellDll {
public:
    using EntryFn = BOOL(WINAPI*)();

    // The process's binding, made on first use and kept until the process ends.
    static GrabwellDll& GetInstance();

    GrabwellDll(ModuleLoader& loader, UserNotifier& notifier);
    GrabwellDll(const GrabwellDll&) = delete;
    GrabwellDll& operator=(const GrabwellDll&) = delete;

    // Loads the library at `path` and binds Hook and Unhook. A failed load forgets the handle,
    // keeps the entry points bound before and tells the user. True when loaded.
    bool Bind(const std::wstring& path);
    // Loads the library at `path` without a word on failure; true when loaded.
    bool LoadQuietly(const std::wstring& path);
    bool IsLoaded() const noexcept { return module_ != nullptr; }

    // Calls Hook when an earlier load bound it.
    void Hook() const;
    // Calls Unhook when bound (callers check that the library is loaded where that matters).
    void Unhook() const;

private:
    ModuleLoader& loader_;
    UserNotifier& notifier_;
    HMODULE module_ = nullptr;
    EntryFn hook_ = nullptr;
    EntryFn unhook_ = nullptr;
};

// The library in the program folder.
std::wstring GrabwellPath();
