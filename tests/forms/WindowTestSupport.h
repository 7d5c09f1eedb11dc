#pragma once

// Helpers for tests that need windows: a borderless test form, recorded message boxes and exceptions,
// simulated clicks, and a snapshot of what a window shows.

#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include <cstring>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/HintWindow.h"

namespace formtest {

class TestForm : public forms::TForm {
public:
    explicit TestForm(forms::TComponent* owner = nullptr, std::wstring windowClass = L"")
        : TForm(owner, std::move(windowClass))
    {
        SetBorderStyle(forms::bsNone);
        SetBounds(60, 60, 200, 150);
        DoCreate();
    }
    using TForm::DoCreate;
};

struct Box {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT flags;
};

// Every test with windows: message boxes and reported exceptions are recorded instead of shown.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousBoxes_ = forms::SetMessageBoxHandler([this](HWND owner, const std::wstring& text,
                                                            const std::wstring& caption, UINT flags) {
            boxes.push_back({owner, text, caption, flags});
            return IDOK;
        });
        forms::Application().OnException = [this](forms::TObject*, std::exception_ptr error) {
            reportedErrors.push_back(forms::ExceptionText(error));
        };
    }
    void TearDown() override
    {
        forms::Application().ProcessMessages();
        forms::Application().OnException = nullptr;
        forms::SetMessageBoxHandler(std::move(previousBoxes_));
    }

    std::vector<Box> boxes;
    std::vector<std::wstring> reportedErrors;

private:
    forms::MessageBoxHandler previousBoxes_;
};

// A left click at a client point, delivered as the window would get it.
inline void Click(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Handles messages for about `ms` milliseconds.
inline void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        forms::Application().ProcessMessages();
        Sleep(5);
    }
}

// Handles messages until `done` or the time runs out; returns `done()`.
template <class Condition>
bool PumpUntil(Condition done, DWORD ms = 3000)
{
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms) {
        forms::Application().ProcessMessages();
        Sleep(5);
    }
    return done();
}

// The client area of a window as it is on screen.
class Snapshot {
public:
    explicit Snapshot(HWND window)
    {
        RECT r{};
        GetClientRect(window, &r);
        width_ = r.right;
        height_ = r.bottom;
        pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
        const HDC dc = GetDC(window);
        const HDC memory = CreateCompatibleDC(dc);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width_, height_, dc, 0, 0, SRCCOPY);
        GdiFlush();
        std::memcpy(pixels_.data(), bits, pixels_.size() * 4);
        SelectObject(memory, old);
        DeleteObject(dib);
        DeleteDC(memory);
        ReleaseDC(window, dc);
    }
    COLORREF At(int x, int y) const
    {
        const DWORD p = pixels_.at(static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x));
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<DWORD> pixels_;
};

// Device contexts the process holds, counted in the GDI handle table that the system keeps in the process
// (its address is in the process environment block); -1 when there is none.
inline int CountDeviceContexts()
{
    struct Slot {  // 24 bytes in both builds; type 1 is a device context
        unsigned long long object;
        unsigned long owner;
        unsigned short unique;
        unsigned char type, flags;
        unsigned long long user;
    };
    using QueryFn = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return -1;
    const size_t tableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    const auto* peb = reinterpret_cast<const char*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const Slot* const*>(peb + tableOffset);
    int count = 0;
    for (size_t i = 0; table && i < 0x10000; ++i)
        count += table[i].type == 1;
    return table ? count : -1;
}

inline std::wstring TooltipText(HWND tool)
{
    return forms::detail::HintWindow::Instance().Text(tool);
}

}  // namespace formtest
