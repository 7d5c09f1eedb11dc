// Keyboard-hook library: between Hook and Unhook every key press and release is posted to the
// main window as its registered message with sub-code MKM_HOOK_KEY and a hook word in lParam.
//
// The hook is a low-level one, installed on the calling thread, which must run a message loop
// (the program's GUI thread does). The hook procedure only posts: a sent message would make every
// key press in the system wait for the program's painting.

#include "MainWindowProtocol.h"

#include <windows.h>

namespace {

// Touched only on the thread that calls Hook and Unhook, which is also the thread the system
// runs the hook procedure on.
HINSTANCE g_instance = nullptr;
HHOOK g_hook = nullptr;
HWND g_window = nullptr;
UINT g_message = 0;

HWND MainWindow() noexcept
{
    // Found again when the window was not there yet or has been replaced.
    if (g_window == nullptr || !IsWindow(g_window))
        g_window = FindWindowW(kMainWindowClass, kMainWindowCaption);
    return g_window;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept
{
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
        const DWORD key = (event->vkCode & kHookKeyMask) | (up ? kHookKeyUp : kHookKeyDown);
        if (const HWND window = MainWindow())
            PostMessageW(window, g_message, MKM_HOOK_KEY, static_cast<LPARAM>(key));
    }
    // Keys go on to every other program as usual.
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

} // namespace

extern "C" {

// Installs the hook unless it is installed already. TRUE when it is installed afterwards.
BOOL WINAPI Hook() noexcept
{
    if (g_hook != nullptr)
        return TRUE;
    g_message = RegisterWindowMessageW(kMainWindowMessageName);
    if (g_message == 0)
        return FALSE;
    g_window = FindWindowW(kMainWindowClass, kMainWindowCaption);
    g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, g_instance, 0);
    return g_hook != nullptr;
}

// Removes the hook; does nothing when none is installed. TRUE when no hook is left.
BOOL WINAPI Unhook() noexcept
{
    if (g_hook == nullptr)
        return TRUE;
    if (!UnhookWindowsHookEx(g_hook))
        return FALSE;
    g_hook = nullptr;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) noexcept
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Freed while hooked: the system must not call into unloaded code.
        Unhook();
    }
    return TRUE;
}

} // extern "C"
