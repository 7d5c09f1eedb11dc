// Presses a programmable key on the simulated controller: stores the key event where the
// controller keeps it, then notifies the window registered with the simulated service and
// waits until that window has handled the notification.

#include "CallLog.h"
#include "FileIo.h"
#include "IniFile.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr DWORD kKeyEventItem = 0x13060032;
constexpr std::size_t kKeyEventSize = 4096;
constexpr WPARAM kNotifyWParam = 0x55;
constexpr ULONG_PTR kNotifyLParam = 0xA002000B;
constexpr UINT kHandleTimeoutMs = 30000;

enum ExitCode : int {
    kDelivered = 0,
    kNoWindow = 1,
    kUsage = 2,
    kNotHandled = 3,
    kStateNotWritten = 4,
};

void Print(std::FILE* stream, const std::wstring& text)
{
    std::fputs((sim::ToUtf8(text) + "\n").c_str(), stream);
}

// 1..10 for "F1".."F10" (either letter case), else 0.
int KeyNumber(const std::wstring& argument)
{
    for (int key = 1; key <= 10; ++key) {
        const std::wstring name = L"F" + std::to_wstring(key);
        if (CompareStringOrdinal(argument.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) {
            return key;
        }
    }
    return 0;
}

std::wstring Hex(unsigned long long value)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"0x%llX", value);
    return text;
}

int Run(int argc, wchar_t** argv)
{
    const int key = argc == 2 ? KeyNumber(argv[1]) : 0;
    if (key == 0) {
        Print(stderr, L"usage: simkey F1..F10\n"
                      L"Stores the key event in the simulated controller and notifies the window\n"
                      L"registered with the simulated service.");
        return kUsage;
    }

    const std::wstring folder = sim::StateFolder();
    const std::wstring keyName = L"F" + std::to_wstring(key);
    sim::CallLine("press").Word(sim::ToUtf8(keyName)).Write();

    const unsigned usage = 0x39 + key;
    std::vector<BYTE> event(kKeyEventSize, 0);
    event[6] = static_cast<BYTE>(usage & 0xFF);
    event[7] = static_cast<BYTE>(usage >> 8);
    const std::wstring eventPath = folder + sim::HexItemName(kKeyEventItem) + L".bin";
    if (!sim::WriteFileAtomic(eventPath, event.data(), event.size())) {
        Print(stderr, L"simkey: cannot write the key event " + eventPath);
        return kStateNotWritten;
    }
    Print(stdout, keyName + L": stored usage " + Hex(usage) + L" in " + eventPath);

    const std::wstring servicePath = folder + L"service.ini";
    const HWND window = static_cast<HWND>(sim::ParseHandle(sim::IniFile(servicePath).Get(L"Service", L"Window")));
    if (window == nullptr) {
        Print(stderr, L"simkey: no window is registered with the service (" + servicePath + L")");
        return kNoWindow;
    }
    if (!IsWindow(window)) {
        Print(stderr, L"simkey: the registered window " + Hex(reinterpret_cast<ULONG_PTR>(window)) +
                          L" no longer exists");
        return kNoWindow;
    }

    const UINT message = RegisterWindowMessageW(L"SimService Key Notify");
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, kNotifyWParam, static_cast<LPARAM>(kNotifyLParam), SMTO_ABORTIFHUNG,
                             kHandleTimeoutMs, &answer)) {
        Print(stderr, L"simkey: the window " + Hex(reinterpret_cast<ULONG_PTR>(window)) +
                          L" did not handle the notification (error " + std::to_wstring(GetLastError()) + L")");
        return kNotHandled;
    }
    Print(stdout, L"notified window " + Hex(reinterpret_cast<ULONG_PTR>(window)) + L" (message " + Hex(message) +
                      L", wParam 0x55, lParam 0xA002000B); it answered " + std::to_wstring(answer));
    return kDelivered;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        return Run(argc, argv);
    } catch (...) {
        std::fputs("simkey: out of memory\n", stderr);
        return kStateNotWritten;
    }
}
