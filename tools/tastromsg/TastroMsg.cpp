// Sends the running main window the messages other programs send it: the sub-codes of its
// registered message and the profile load request; and sends its tray icon what the
// notification area sends when the user acts on the icon (the mouse message or balloon
// notification CODE, e.g. 0x405 for a click on the balloon).
//
//   tastromsg key-changed N | refresh-key N | show | close-edit | hook-key VALUE
//   tastromsg subcode WPARAM [LPARAM] | load-profile | tray CODE
//
// Numbers may be decimal or 0x-hexadecimal. Exit codes: 0 handled, 1 no main window or tray
// icon (or it did not answer in time), 2 usage.

#include "MainWindowProtocol.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr UINT kTimeoutMs = 30000;

int Usage()
{
    std::fputs("usage: tastromsg key-changed N | refresh-key N | show | close-edit | hook-key VALUE\n"
               "       tastromsg subcode WPARAM [LPARAM] | load-profile | tray CODE\n",
               stderr);
    return 2;
}

std::optional<unsigned long> Number(const wchar_t* text)
{
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 0);
    if (end == text || *end != L'\0')
        return std::nullopt;
    return value;
}

// The notification area's callback message and the icon's id, as the program registers its icon.
constexpr UINT kTrayCallback = WM_USER + 90;
constexpr WPARAM kTrayIconId = 1;

HWND MainWindow()
{
    const HWND window = FindWindowW(kMainWindowClass, kMainWindowCaption);
    if (window == nullptr)
        std::fputs("tastromsg: the main window is not running\n", stderr);
    return window;
}

// The hidden window of the main window's process that its tray icon reports to.
HWND TrayWindow()
{
    const HWND main = MainWindow();
    if (main == nullptr)
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"TsTrayIconW", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process)
            return window;
    }
    std::fputs("tastromsg: the program has no tray icon\n", stderr);
    return nullptr;
}

int SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window == nullptr)
        return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &result)) {
        std::fputs("tastromsg: the program did not answer in time\n", stderr);
        return 1;
    }
    std::printf("sent message 0x%X wParam %lu lParam 0x%lX\n", message, static_cast<unsigned long>(wParam),
                static_cast<unsigned long>(lParam));
    return 0;
}

int Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendTo(MainWindow(), message, wParam, lParam);
}

int SubCode(WPARAM code, LPARAM value)
{
    return Send(RegisterWindowMessageW(kMainWindowMessageName), code, value);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    const std::wstring command = argv[1];
    const std::optional<unsigned long> first = argc > 2 ? Number(argv[2]) : std::nullopt;
    const std::optional<unsigned long> second = argc > 3 ? Number(argv[3]) : std::nullopt;
    if (argc == 2 && command == L"show")
        return SubCode(MKM_SHOW_WINDOW, 0);
    if (argc == 2 && command == L"close-edit")
        return SubCode(MKM_CLOSE_EDIT, 0);
    if (argc == 2 && command == L"load-profile")
        return Send(RegisterWindowMessageA("VORN_BROADCAST_MESSAGE"), 0x2132, 0);
    if (argc == 3 && first && command == L"key-changed")
        return SubCode(MKM_KEY_CHANGED, static_cast<LPARAM>(*first));
    if (argc == 3 && first && command == L"refresh-key")
        return SubCode(MKM_REFRESH_KEY, static_cast<LPARAM>(*first));
    if (argc == 3 && first && command == L"hook-key")
        return SubCode(MKM_HOOK_KEY, static_cast<LPARAM>(*first));
    if (argc == 3 && first && command == L"tray")
        return SendTo(TrayWindow(), kTrayCallback, kTrayIconId, static_cast<LPARAM>(*first));
    if ((argc == 3 || (argc == 4 && second)) && first && command == L"subcode")
        return SubCode(*first, static_cast<LPARAM>(second.value_or(0)));
    return Usage();
}
