// A window that leaks on purpose: each WM_APP makes one brush and one child window that it never
// frees. The handle counter of the main window's tests must see it grow.

#include <windows.h>

LRESULT CALLBACK LeakyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_APP:
        CreateSolidBrush(RGB(1, 2, 3));
        CreateWindowExW(0, L"STATIC", L"leak", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = LeakyProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TastroLeakyWindow";
    RegisterClassW(&windowClass);
    CreateWindowExW(0, L"TastroLeakyWindow", L"Leaky", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance,
                    nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
