#pragma once

// The real TastroII.exe, started in a scratch copy of the program folder and driven from outside
// the way other programs and the user do: window messages, clicks on its controls, the stand-ins'
// files, and the screen.

#include "ChildProcess.h"
#include "MainWindowProtocol.h"
#include "Screenshot.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mainwindow {

// A copy of the built program folder under the temporary folder, or at `location` (a folder path
// with a trailing backslash) when given, removed again at the end. Programs run with
// <root>\elsewhere\ as their current folder.
class ScratchProgramFolder {
public:
    // `without` names files of the program folder that the copy leaves out.
    explicit ScratchProgramFolder(const std::vector<std::wstring>& without = {}, const std::wstring& location = {});
    ~ScratchProgramFolder();
    ScratchProgramFolder(const ScratchProgramFolder&) = delete;
    ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

    const std::wstring& Path() const { return program_; }
    std::wstring File(const std::wstring& name) const { return program_ + name; }
    std::wstring State(const std::wstring& name) const { return program_ + L"SimState\\" + name; }
    const std::wstring& Elsewhere() const { return elsewhere_; }

    std::vector<std::string> CallLog() const;
    // The key table the controller holds (empty before the first write) and how often it was written.
    // Runs a program of the folder to its end.
    e2e::ProcessResult Run(const std::wstring& program, const std::vector<std::wstring>& arguments) const;

private:
    std::wstring root_;
    std::wstring program_;
    std::wstring elsewhere_;
};

// The screen where a window lies, after its pending painting: pixels in the window's own
// coordinates as 0xRRGGBB.
class WindowShot {
public:
    explicit WindowShot(HWND window);
    std::uint32_t At(int x, int y) const { return screen_.At(area_.left + x, area_.top + y); }
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }
    bool operator==(const WindowShot& other) const;
    // The window's area as a PNG file, for people to look at.
    bool Save(const std::wstring& path) const;

private:
    static RECT AreaOf(HWND window);

    RECT area_;
    Screenshot screen_;
};

// GDI objects and windows a running process holds.
struct GuiHandleCounts {
    int gdiObjects = -1;
    int windows = -1;
};

// The lines that contain `part`.
std::size_t Count(const std::vector<std::string>& lines, const std::string& part);
// A file's bytes, none for a missing file.
std::vector<std::uint8_t> Bytes(const std::optional<std::string>& text);
// The key table the program must write for the folder's fun.cfg, assembled here.
std::vector<std::uint8_t> ExpectedTable(const std::wstring& folder);

class MainProgram {
public:
    MainProgram(const ScratchProgramFolder& folder, const std::vector<std::wstring>& arguments);
    // TastroII.exe of any program folder (with its trailing backslash), started in `currentFolder`.
    MainProgram(const std::wstring& programFolder, const std::wstring& currentFolder,
                const std::vector<std::wstring>& arguments);
    ~MainProgram();
    MainProgram(const MainProgram&) = delete;
    MainProgram& operator=(const MainProgram&) = delete;

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD ProcessId() const { return process_.dwProcessId; }
    bool Running() const;
    // The main window ("TfmZavadOva", "Tastro") of this process once it exists and answers.
    HWND WaitForMainWindow(DWORD timeoutMs = 90000);
    HWND Window() const { return window_; }
    // Waits until the program ends; its exit code.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // Stops every thread of the program (a program that hangs), or lets them run again.
    bool Suspend(bool stop) const;

    // Sends a message to the main window and waits until it is handled.
    bool Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool SubCode(WPARAM code, LPARAM lParam) const;

    // The control under a client point of `window` (the main window unless given); `point`
    // becomes the control's client coordinates.
    HWND ControlAt(int x, int y, HWND window = nullptr, POINT* point = nullptr) const;
    // Moves the mouse to, presses and releases at a client point of `window` (the main window
    // unless given), posted as the system posts input; false when the system would give the
    // control no input. The caller waits for the click's effect.
    bool Click(int x, int y, HWND window = nullptr) const;

    // A visible top-level window of this process with the class, or null.
    HWND WaitForTopLevel(const std::wstring& className, DWORD timeoutMs = 20000) const;
    bool WaitUntilGone(HWND window, DWORD timeoutMs = 20000) const;
    // The message box this process shows: caption and texts, pressed with OK.
    struct BoxText {
        std::wstring caption;
        std::wstring text;
    };
    std::optional<BoxText> DismissMessageBox(DWORD timeoutMs = 60000) const;

    GuiHandleCounts HandleCounts() const;

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// A suite of tests around one start of the program (by default with "-h") in a scratch program folder.
// The two buttons of the confirmation and rename dialogs, in dialog coordinates.
constexpr POINT kConfirm{56 + 30, 153 + 15};
constexpr POINT kCancel{164 + 30, 153 + 15};

class ProgramSuite : public testing::Test {
protected:
    // `prepare` lays out the folder before the start.
    static void StartProgram(const std::function<void(const ScratchProgramFolder&)>& prepare,
                             const std::vector<std::wstring>& arguments = {L"-h"}, const std::wstring& location = {});
    static void StopProgram();
    // fun.cfg with F1 opening witness.exe, F2 typing "hello", and `more`.
    static void WriteFunCfg(const ScratchProgramFolder& folder, const std::string& more = "");
    void SetUp() override;

    // Answers the confirmation dialog with one of its buttons (kConfirm, kCancel).
    static bool Answer(POINT answer);

    static std::optional<std::string> Setting(const std::string& key);
    static std::vector<std::uint8_t> KeyTable();
    static std::size_t Calls(const std::string& part) { return Count(folder_->CallLog(), part); }
    static std::size_t TableWrites() { return Calls("AcpiSetItemBuffer 0x13060030"); }

    static inline ScratchProgramFolder* folder_ = nullptr;
    static inline MainProgram* program_ = nullptr;
    static inline HWND window_ = nullptr;
};

// How many GDI objects a process holds: the used entries of the handle table that Wine keeps in
// the process's memory, found through GdiSharedHandleTable of its PEB. -1 when it cannot be read.
int GdiObjectCount(HANDLE process);
// The top-level and child windows of a process.
int WindowCount(DWORD processId);

// Runs xdotool with the arguments on the X display the program runs on (mouse and keyboard input
// the way a user's arrives) and waits until it has ended; false when it could not run or failed.
bool OnDisplay(const std::wstring& xdotoolArguments, DWORD timeoutMs = 30000);

// The "key=value" lines of a section of an ANSI INI file, in their order.
std::vector<std::string> SectionLines(const std::wstring& path, const std::string& section);

// The key table the program must write for the folder's fun.cfg, assembled here.
std::vector<std::uint8_t> ExpectedKeyTable(const std::wstring& folder);

// The top-level windows of a class, of any process. Found through EnumWindows: under Wine,
// FindWindowEx on the desktop found none of them once an earlier program of this run had ended.
std::vector<HWND> TopLevelWindowsOf(const std::wstring& className);

// The first visible window of the class among the direct children of `parent`, or null.
HWND VisibleChild(HWND parent, const std::wstring& className);
// The text of a window of any process.
std::wstring WindowText(HWND window);

// Polls the condition until it holds or the time is up.
bool WaitFor(DWORD timeoutMs, const std::function<bool()>& condition);

// Runs xdotool on the display with `arguments`, as the user's mouse and keyboard; false when it
// cannot start. Wine starts the Unix program but cannot wait for it: callers wait for its effect.
bool Xdotool(const std::wstring& arguments);
// Moves the real pointer to a screen point, then does `then` there (e.g. "click 1").
bool PointerTo(POINT point, const std::wstring& then = L"");

// The notification area as Wine shows it on a display without a system tray: a small window of
// its own holds one window per icon and passes the mouse on an icon to the icon's program.
std::vector<HWND> NotificationAreaIcons();
// The tip the notification area shows while the real pointer rests on the icon, or empty.
std::wstring TipOf(HWND icon);
// Clicks the icon with the real pointer (1 left, 3 right).
bool ClickIcon(HWND icon, int button);

// The folder of this test program, with a trailing backslash.
std::wstring TestFolder();

} // namespace mainwindow
