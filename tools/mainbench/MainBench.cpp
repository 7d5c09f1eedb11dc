// Timings of the running main program, measured from outside on a scratch copy of the program
// folder: the first paint after the start-up pause, a controller key report to its action, the
// key-table write on MKM_KEY_CHANGED, a full repaint, a switch of tabs to the page painted, a page's
// Apply from the name dialog's OK to the key table written, a recorded key event to its step
// painted, and the working set. Prints medians.
//
//   mainbench <program folder>

#include "BenchReport.h"
#include "MainWindowProtocol.h"
#include "UnmanagedWindows.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kStartPauseMs = 2000;

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<double> Time(int runs, const std::function<void()>& work)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(Since(start));
    }
    return times;
}

// The program started in the folder, until it is closed.
class Program {
public:
    explicit Program(const std::wstring& folder)
    {
        std::wstring command = L"\"" + folder + L"TastroII.exe\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        start_ = Clock::now();
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &process_))
            process_ = PROCESS_INFORMATION{};
    }
    ~Program()
    {
        if (!process_.hProcess)
            return;
        if (window_)
            PostMessageW(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    // The time from the window's creation (before the start-up pause) to its first complete paint
    // on screen, less the pause; negative when the window did not come up.
    double WaitUntilShown()
    {
        Clock::time_point created{};
        for (int i = 0; i < 60000 && process_.hProcess; ++i) {
            HWND window = FindWindowW(kMainWindowClass, kMainWindowCaption);
            if (window && !window_) {
                window_ = window;
                created = Clock::now();
            }
            if (window_ && IsWindowVisible(window_)) {
                // Paints what is still pending before the time is taken.
                RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                return Since(created) - kStartPauseMs;
            }
            Sleep(1);
        }
        return -1;
    }

    HWND Window() const { return window_; }
    HANDLE Process() const { return process_.hProcess; }

    void Send(UINT message, WPARAM wParam, LPARAM lParam) const
    {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, message, wParam, lParam, SMTO_NORMAL, 60000, &ignored);
    }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    Clock::time_point start_;
};

// The deepest visible control under a client point of `window`.
HWND ControlAt(HWND window, POINT at)
{
    for (HWND child; (child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE)) != nullptr && child != window;) {
        MapWindowPoints(window, child, &at, 1);
        window = child;
    }
    return window;
}

// A press and release at a client point of `window`, posted as the system posts input.
void PostClick(HWND window, POINT at)
{
    const HWND control = ControlAt(window, at);
    MapWindowPoints(window, control, &at, 1);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_MOUSEMOVE, 0, where);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
}

// The same press and release, each handled before this returns.
void SendClick(HWND window, POINT at)
{
    const HWND control = ControlAt(window, at);
    MapWindowPoints(window, control, &at, 1);
    const LPARAM where = MAKELPARAM(at.x, at.y);
    DWORD_PTR ignored = 0;
    for (const UINT message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageTimeoutW(control, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, where, SMTO_NORMAL, 60000,
                            &ignored);
}

// A visible top-level window of the class, waited for; null when none comes.
HWND WaitForWindow(const wchar_t* className, const wchar_t* title = nullptr)
{
    for (int i = 0; i < 20000; ++i) {
        const HWND window = FindWindowW(className, title);
        if (window && IsWindowVisible(window))
            return window;
        Sleep(1);
    }
    return nullptr;
}

// When a file was last replaced or written, 0 while it is missing.
ULONGLONG LastWrite(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

void WriteText(const std::wstring& path, const std::string& text)
{
    std::ofstream(fs::path(path), std::ios::binary) << text;
}

// The key event the controller reports: HID usage of Fn at bytes 6 and 7.
void PlantKeyEvent(const std::wstring& folder, int n)
{
    std::string event(4096, '\0');
    event[6] = static_cast<char>(0x39 + n);
    fs::create_directories(fs::path(folder + L"SimState"));
    WriteText(folder + L"SimState\\13060032.bin", event);
}

// A scratch folder that starts empty and is removed at the end: process ids come again under
// Wine, and a folder left by an earlier run must not lend its program to this one.
class ScratchFolder {
public:
    explicit ScratchFolder(std::wstring path) : path_(std::move(path)) { Remove(); }
    ~ScratchFolder() { Remove(); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    void Remove() const
    {
        std::error_code ignored;
        fs::remove_all(fs::path(path_), ignored);
    }

    std::wstring path_;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: mainbench <program folder>\n", stderr);
        return 2;
    }
    SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
    const UnmanagedWindows unmanaged(L"TastroII.exe");
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const ScratchFolder scratch(std::wstring(temp) + L"mainbench-" + std::to_wstring(GetCurrentProcessId()) + L"\\");
    const std::wstring& folder = scratch.Path();
    std::error_code error;
    fs::copy(fs::path(argv[1]), fs::path(folder), fs::copy_options::recursive, error);
    if (error) {
        std::fprintf(stderr, "cannot copy the program folder: %s\n", error.message().c_str());
        return 1;
    }
    const std::string program(folder.begin(), folder.end());
    WriteText(folder + L"fun.cfg", "[F1]\r\nDisplayName=Witness\r\nIconFile=" + program + "witness.exe\r\n1=" + program +
                                       "witness.exe\r\nType=3\r\nCount=1\r\n[F2]\r\nDisplayName=Hello\r\n1=hello world\r\n"
                                       "Type=2\r\nCount=1\r\n[F4]\r\nDisplayName=Next Audio Output\r\n1=430\r\nType=4\r\n"
                                       "Count=1\r\n");

    // Five starts; the last one stays for the figures that follow.
    std::vector<double> firstPaints;
    std::vector<double> workingSets;
    const auto shown = [&](Program& started) {
        const double ms = started.WaitUntilShown();
        if (ms < 0)
            return false;
        firstPaints.push_back(ms);
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof(memory);
        if (GetProcessMemoryInfo(started.Process(), &memory, sizeof(memory)))
            workingSets.push_back(memory.WorkingSetSize / (1024.0 * 1024.0));
        return true;
    };
    for (int i = 0; i < 4; ++i) {
        Program started(folder);
        shown(started);
    }
    Program running(folder);
    if (!shown(running)) {
        std::fputs("the main window did not come up\n", stderr);
        return 1;
    }
    Report("First paint after the 2000 ms pause", firstPaints);
    const UINT zavadOva = RegisterWindowMessageW(kMainWindowMessageName);
    const UINT service = RegisterWindowMessageW(L"SimService Key Notify");
    PlantKeyEvent(folder, 4);
    Report("Key report to its action (audio switch)", Time(50, [&] { running.Send(service, 0x55, 0xA002000B); }));
    PlantKeyEvent(folder, 1);
    Report("Key report to its action (shortcut start)", Time(20, [&] { running.Send(service, 0x55, 0xA002000B); }));
    Report("Sub-code 1258 to the key table written", Time(50, [&] { running.Send(zavadOva, MKM_KEY_CHANGED, 2); }));
    Report("Full repaint of the main window", Time(50, [&] {
               RedrawWindow(running.Window(), nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
           }));

    // Each click on the next of the four tabs, handled, and the page it shows painted.
    const HWND window = running.Window();
    int tab = 0;
    Report("Switching tabs", Time(40, [&] {
               tab = tab % 4 + 1;
               SendClick(window, POINT{277 + 166 * (tab - 1) + 40, 56 + 20});
               RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
           }));

    // Apply on the Function Keys page for F3: from the posted click on the name dialog's OK to the
    // controller stand-in having replaced its key table. The program writes fun.cfg and handles
    // its own MKM_KEY_CHANGED (the table write) before its one-second pause after Apply, so the
    // pause is not in the figure; the WM_NULL round trip waits it out between runs.
    const std::wstring table = folder + L"SimState\\13060030.bin";
    SendClick(window, POINT{26 + 44, 105 + 2 * 40 + 4});
    SendClick(window, POINT{609 + 40, 56 + 20});
    std::vector<double> applies;
    for (int i = 0; i <= 8; ++i) {
        SendClick(window, POINT{400 + 44, 178 + 23});
        PostClick(window, POINT{970 + 98, 497 + 17});
        const HWND dialog = WaitForWindow(L"TRenameDlg");
        if (!dialog)
            break;
        // The dialog and the dimmed window painted and the program waiting for input: the
        // figure starts with the click.
        running.Send(WM_NULL, 0, 0);
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        WaitForInputIdle(running.Process(), 5000);
        const ULONGLONG before = LastWrite(table);
        const auto start = Clock::now();
        PostClick(dialog, POINT{56 + 30, 153 + 15});
        bool written = false;
        while (!(written = LastWrite(table) != before) && Since(start) < 10000)
            ;
        // The first run warms up.
        if (written && i > 0)
            applies.push_back(Since(start));
        running.Send(WM_NULL, 0, 0);
    }
    if (applies.empty()) {
        std::fputs("Apply wrote no key table\n", stderr);
        return 1;
    }
    Report("Apply to the key table written", applies);

    // A recording started with a click on the Record box; each hook message (a key down) then
    // adds a delay step and a key step, painted before the time is taken. The first one only
    // starts the clock; 25 more fill 50 of the 59 slots.
    SendClick(window, POINT{277 + 40, 56 + 20});
    PostClick(window, POINT{347 + 10, 113 + 10});
    if (!WaitForWindow(nullptr, L"MaskMKForm")) {
        std::fputs("the recording did not start\n", stderr);
        return 1;
    }
    running.Send(zavadOva, MKM_HOOK_KEY, static_cast<LPARAM>(kHookKeyDown | 'A'));
    std::vector<double> steps;
    for (int i = 0; i < 25; ++i) {
        const auto start = Clock::now();
        running.Send(zavadOva, MKM_HOOK_KEY, static_cast<LPARAM>(kHookKeyDown | (i % 2 ? 'A' : 'B')));
        RedrawWindow(running.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        steps.push_back(Since(start));
    }
    Report("Recorded key event to its step shown", steps);

    if (!workingSets.empty())
        Report("Working set after start", workingSets, "MB");
    return 0;
}
