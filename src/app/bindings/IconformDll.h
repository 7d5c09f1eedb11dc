#pragma once

#include "ModuleLoader.h"
#include "UserNotifier.h"

#include <windows.h>

// The image library "Iconform.dll", loaded by bare name in the system's search order. It turns
// file icons into 32-bit bitmaps for the key buttons and the Shortcut page.
class IconformDll {
public:
    using GetBitmapFromIconFn = HBITMAP(WINAPI*)(HICON icon, int width, int height);

    // The process's binding, made on first use and kept until the process ends.
    static IconformDll& GetInstance();

    IconformDll(ModuleLoader& loader, UserNotifier& notifier);
    IconformDll(const IconformDll&) = delete;
    IconformDll& operator=(const IconformDll&) = delete;

    // Loads the library and binds its entry point; tells the user when that fails. True when bound.
    bool Load();
    bool IsBound() const noexcept { return getBitmapFromIcon_ != nullptr; }

    // A 32-bit bitmap of the icon that the caller owns, or null (also while unbound).
    HBITMAP GetBitmapFromIcon(HICON icon, int width, int height) const;

private:
    ModuleLoader& loader_;
    UserNotifier& notifier_;
    HMODULE module_ = nullptr;
    GetBitmapFromIconFn getBitmapFromIcon_ = nullptr;
};
