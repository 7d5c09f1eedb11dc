#include "forms/AllocateHWnd.h"

#include "forms/Application.h"
#include "forms/Exceptions.h"

namespace forms {

namespace {

const wchar_t kClassName[] = L"forms.UtilityWindow";

struct Target {
    TWndMethod method;
    int depth = 0;
    bool freed = false;
};

LRESULT CALLBACK UtilityProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* target = reinterpret_cast<Target*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Until the window is made its messages (WM_NCCREATE among them) need the default answers.
    if (!target || target->freed)
        return DefWindowProcW(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    ++target->depth;
    try {
        target->method(message);
    } catch (...) {
        try {
            Application().HandleException(nullptr);
        } catch (...) {
        }
    }
    --target->depth;
    if (target->freed && target->depth == 0)
        delete target;  // the window was deallocated by the call that just ended
    return message.Result;
}

void RegisterUtilityClass(const wchar_t* className)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = UtilityProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    // Every window after the first of a class finds it registered.
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources();
}

}  // namespace

HWND AllocateHWnd(TWndMethod method, const wchar_t* className)
{
    if (!className)
        className = kClassName;
    RegisterUtilityClass(className);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (!window)
        throw EOutOfResources();
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Target{std::move(method)}));
    return window;
}

void DeallocateHWnd(HWND window)
{
    auto* target = reinterpret_cast<Target*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    // A method that frees its own window keeps running: the target goes only when no call is active.
    if (target) {
        if (target->depth == 0)
            delete target;
        else
            target->freed = true;  // the running call frees it when it returns
    }
}

}  // namespace forms
