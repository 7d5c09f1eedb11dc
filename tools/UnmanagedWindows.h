#pragma once

// Without a window manager (the benches' display has none) Wine waits two seconds whenever an
// activated window is hidden, as when a dialog closes; with one it does not. While an object of
// this class lives, the named program's windows are left unmanaged, so that no such wait lies in
// a figure or between its runs.

#include <windows.h>

#include <string>

class UnmanagedWindows {
public:
    explicit UnmanagedWindows(const std::wstring& program) : key_(L"Software\\Wine\\AppDefaults\\" + program)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\X11 Driver").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) == 0) {
            RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
            RegCloseKey(key);
        }
    }
    ~UnmanagedWindows() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }
    UnmanagedWindows(const UnmanagedWindows&) = delete;
    UnmanagedWindows& operator=(const UnmanagedWindows&) = delete;

private:
    std::wstring key_;
};
