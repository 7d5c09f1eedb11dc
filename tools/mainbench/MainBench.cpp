// Timings of the running main program, measured from outside on a scratch copy of the program
// folder: the first paint after the start-up pause, a controller key report to its action, the
// key-table write on sub-code 1258, a full repaint, a recorded key event to its step painted, and
// the working set. Prints medians.
//
//   mainbench <program folder>

#include "BenchReport.h"

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
            HWND window = FindWindowW(L"TfmZavadOva", L"Tastro");
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

    std::vector<double> firstPaints;
    for (int i = 0; i < 5; ++i) {
        Program started(folder);
        const double ms = started.WaitUntilShown();
        if (ms >= 0)
            firstPaints.push_back(ms);
    }
    if (firstPaints.empty()) {
        std::fputs("the main window did not come up\n", stderr);
        return 1;
    }
    Report("First paint after the 2000 ms pause", firstPaints);

    Program running(folder);
    if (running.WaitUntilShown() < 0)
        return 1;
    const UINT zavadOva = RegisterWindowMessageW(L"ZavadOva Main Window Message");
    const UINT service = RegisterWindowMessageW(L"SimService Key Notify");
    PlantKeyEvent(folder, 4);
    Report("Key report to its action (audio switch)", Time(50, [&] { running.Send(service, 0x55, 0xA002000B); }));
    PlantKeyEvent(folder, 1);
    Report("Key report to its action (shortcut start)", Time(20, [&] { running.Send(service, 0x55, 0xA002000B); }));
    Report("Sub-code 1258 to the key table written", Time(50, [&] { running.Send(zavadOva, 1258, 2); }));
    Report("Full repaint of the main window", Time(50, [&] {
               RedrawWindow(running.Window(), nullptr, nullptr,
                            RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
           }));

    // A recording started with a click on the Record box; each hook message (a key down) then
    // adds a delay step and a key step, painted before the time is taken. The first one only
    // starts the clock; 25 more fill 50 of the 59 slots.
    const HWND record = ChildWindowFromPointEx(running.Window(), POINT{357, 123}, CWP_SKIPINVISIBLE);
    PostMessageW(record, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(record, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    for (int i = 0; i < 500 && !FindWindowW(nullptr, L"MaskMKForm"); ++i)
        Sleep(10);
    running.Send(zavadOva, 0xE001, 0x40000041);
    std::vector<double> steps;
    for (int i = 0; i < 25; ++i) {
        const auto start = Clock::now();
        running.Send(zavadOva, 0xE001, i % 2 ? 0x40000041 : 0x40000042);
        RedrawWindow(running.Window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        steps.push_back(Since(start));
    }
    Report("Recorded key event to its step shown", steps);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(running.Process(), &memory, sizeof(memory)))
        std::printf("%-44s %9.1f MB\n", "Working set after start", memory.WorkingSetSize / (1024.0 * 1024.0));
    return 0;
}
