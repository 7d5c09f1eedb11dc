#pragma once

#include "ModuleLoader.h"
#include "UserNotifier.h"

#include <windows.h>

// The system-service library and its four entry points. The service forwards the controller's key
// reports to a registered window.
struct SysSvrFunctionTable {
    using SetPerformanceStateFn = int(WINAPI*)(DWORD, DWORD, DWORD);
    using GetPerformanceStateFn = int(WINAPI*)(DWORD, DWORD);
    using RegisterNotifyFn = int(WINAPI*)(HWND window, const wchar_t* id);
    using UnregisterNotifyFn = int(WINAPI*)(HWND window, const wchar_t* id);

    HMODULE module = nullptr;
    SetPerformanceStateFn SetPerformanceState = nullptr;
    GetPerformanceStateFn GetPerformanceState = nullptr;
    RegisterNotifyFn RegisterNotify = nullptr;
    UnregisterNotifyFn UnregisterNotify = nullptr;

    // Binds the entry points of `library` in their fixed order, stopping at the first missing
    // one. On failure the table is left empty: an incomplete library counts as unbound.
    bool Bind(ModuleLoader& loader, HMODULE library);
    void Clear() noexcept { *this = SysSvrFunctionTable{}; }
};

// The table of the process, through which the wrappers below forward; never released.
SysSvrFunctionTable& ProcessSysSvrFunctions();

// Loads "Sysbridge.dll" from the program folder into the process's table; tells the user when
// that fails. Every failed attempt tells again.
bool LoadSysSvrLibrary();

// Replaces the loader and notifier that the process's binding uses; null restores the system's.
void SetSysSvrSeams(ModuleLoader* loader, UserNotifier* notifier);

// The library's functions under their own names. Each binds the library while its own entry point
// is unbound, then forwards; 0 when the library is not available. The program exports them.
extern "C" {
int WINAPI VnSysSvr_SetPerformanceState(DWORD a, DWORD b, DWORD c) noexcept;
int WINAPI VnSysSvr_GetPerformanceState(DWORD a, DWORD b) noexcept;
int WINAPI VnSysSvr_RegisterNotify(HWND window, const wchar_t* id) noexcept;
int WINAPI VnSysSvr_UnregisterNotify(HWND window, const wchar_t* id) noexcept;
}
