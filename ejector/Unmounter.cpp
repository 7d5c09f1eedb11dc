// Unmounter: ejects every removable drive and exits. It takes no arguments, shows nothing and
// always exits with code 0.

#include <windows.h>

#include "DriveEjector.h"
#include "Win32DeviceApi.h"
#include "resource.h"

namespace {

constexpr int MaxLoadString = 100;

char g_title[MaxLoadString];
char g_windowClass[MaxLoadString];

#if !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48);
#endif

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

ATOM RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = g_windowClass;
    return RegisterClassExA(&windowClass);
}

// The window is never shown, whatever show command the program was started with.
bool CreateMainWindow(HINSTANCE instance)
{
    const HWND window = CreateWindowExA(0, g_windowClass, g_title, WS_OVERLAPPEDWINDOW,
                                        CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr, nullptr,
                                        instance, nullptr);
    if (!window) {
        return false;
    }
    ShowWindow(window, SW_HIDE);
    UpdateWindow(window);
    return true;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Win32DeviceApi devices;
    EjectRemovableDrives(devices);

    // Posted before any window exists, so that the message loop below ends at once.
    PostQuitMessage(0);

    LoadStringA(instance, IDS_APP_TITLE, g_title, MaxLoadString);
    LoadStringA(instance, IDC_EJECTOII, g_windowClass, MaxLoadString);
    RegisterMainWindowClass(instance);
    if (!CreateMainWindow(instance)) {
        return 0;
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
