#include "RunningProgram.h"

#include "EcBuffer.h"
#include "FunctionTable.h"
#include "KeyAssignmentStore.h"
#include "ProgramFolder.h"
#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <winternl.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace mainwindow {
namespace {

namespace fs = std::filesystem;

constexpr UINT kAnswerMs = 60000;

} // namespace

bool WaitFor(DWORD timeoutMs, const std::function<bool()>& condition)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& part)
{
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& line) { return line.find(part) != std::string::npos; }));
}

std::vector<std::uint8_t> Bytes(const std::optional<std::string>& text)
{
    return text ? std::vector<std::uint8_t>(text->begin(), text->end()) : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> ExpectedTable(const std::wstring& folder)
{
    SetProgramFolder(folder);
    LoadConfig();
    LoadFunKeyMap();
    const ControllerPort::Table table = AssembleEcBuffer();
    return {table.begin(), table.end()};
}

namespace {

// Without a window manager Wine waits two seconds for every activated window that is hidden; the
// program's windows are left unmanaged for the run, so that a hundred dialogs take seconds.
class UnmanagedWindows : public testing::Environment {
public:
    void SetUp() override
    {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == 0) {
            RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"), 2 * sizeof(wchar_t));
            RegCloseKey(key);
        }
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\TastroII.exe"); }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\AppDefaults\\TastroII.exe\\X11 Driver";
};
const testing::Environment* const unmanaged = testing::AddGlobalTestEnvironment(new UnmanagedWindows);

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

struct WindowSearch {
    DWORD processId;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->processId == 0 || owner == search->processId) && (!search->visibleOnly || IsWindowVisible(window)))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

// The top-level windows of a process (0: of every process).
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly)
{
    WindowSearch search{processId, visibleOnly, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

bool OnDisplay(const std::wstring& xdotoolArguments, DWORD timeoutMs)
{
    const std::wstring tool = L"Z:\\usr\\bin\\xdotool";
    if (GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0 || GetFileAttributesW(tool.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    // Wine starts Unix programs but cannot wait for them: the shell leaves the exit code in a file.
    static unsigned counter = 0;
    const std::wstring marker =
        L"/tmp/tastro-xdotool-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    std::wstring windowsMarker = L"Z:" + marker;
    std::replace(windowsMarker.begin(), windowsMarker.end(), L'/', L'\\');
    DeleteFileW(windowsMarker.c_str());
    std::wstring command = L"Z:\\bin\\sh -c \"/usr/bin/xdotool " + xdotoolArguments + L"; echo $? > " + marker + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::optional<std::string> code;
    WaitFor(timeoutMs, [&] {
        code = e2e::ReadFileBytes(windowsMarker);
        return code && !code->empty();
    });
    DeleteFileW(windowsMarker.c_str());
    return code && code->rfind("0", 0) == 0;
}

std::vector<std::string> SectionLines(const std::wstring& path, const std::string& section)
{
    std::vector<std::string> lines;
    bool inside = false;
    for (const std::string& line : e2e::SplitLines(e2e::ReadFileBytes(path).value_or(""))) {
        if (!line.empty() && line.front() == '[')
            inside = line == "[" + section + "]";
        else if (inside && !line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::uint8_t> ExpectedKeyTable(const std::wstring& folder)
{
    SetProgramFolder(folder);
    LoadConfig();
    LoadFunKeyMap();
    const ControllerPort::Table table = AssembleEcBuffer();
    return {table.begin(), table.end()};
}

std::vector<HWND> TopLevelWindowsOf(const std::wstring& className)
{
    std::vector<HWND> found;
    for (HWND window : TopLevelWindows(0, false))
        if (ClassOf(window) == className)
            found.push_back(window);
    return found;
}

HWND VisibleChild(HWND parent, const std::wstring& className)
{
    for (HWND child = nullptr; (child = FindWindowExW(parent, child, className.c_str(), nullptr)) != nullptr;)
        if (IsWindowVisible(child))
            return child;
    return nullptr;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

bool Xdotool(const std::wstring& arguments)
{
    const std::wstring tool = L"Z:\\usr\\bin\\xdotool";
    std::wstring command = L"\"" + tool + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // For a Unix program Wine leaves stale values in the process information: closing them would
    // close handles of this program, so nothing of it is used.
    return GetFileAttributesW(tool.c_str()) != INVALID_FILE_ATTRIBUTES &&
           CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
}

bool PointerTo(POINT point, const std::wstring& then)
{
    return Xdotool(L"mousemove " + std::to_wstring(point.x) + L" " + std::to_wstring(point.y) + L" " + then);
}

std::vector<HWND> NotificationAreaIcons()
{
    std::vector<HWND> icons;
    for (HWND tray : TopLevelWindowsOf(L"__winex11_standalone_tray"))
        for (HWND icon : ChildWindows(tray))
            if (ClassOf(icon) == L"__winex11_tray_icon" && IsWindowVisible(icon))
                icons.push_back(icon);
    return icons;
}

namespace {

POINT CentreOf(HWND window)
{
    RECT area{};
    GetWindowRect(window, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

} // namespace

std::wstring TipOf(HWND icon)
{
    DWORD shell = 0;
    GetWindowThreadProcessId(icon, &shell);
    std::wstring tip;
    // The tip control answers WM_GETTEXT with the text it shows.
    PointerTo(CentreOf(icon)) && WaitFor(5000, [&] {
        for (HWND window : TopLevelWindows(shell, true)) {
            wchar_t text[256] = {};
            DWORD_PTR length = 0;
            if (ClassOf(window) == L"tooltips_class32" &&
                SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                                    &length) &&
                length > 0)
                tip = text;
        }
        return !tip.empty();
    });
    return tip;
}

bool ClickIcon(HWND icon, int button)
{
    return PointerTo(CentreOf(icon), L"click " + std::to_wstring(button));
}

std::wstring TestFolder()
{
    return e2e::TestFolder();
}

ScratchProgramFolder::ScratchProgramFolder(const std::vector<std::wstring>& without, const std::wstring& location)
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp) + L"tastro-main-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    program_ = location.empty() ? root_ + L"Program Folder\\" : location;
    elsewhere_ = root_ + L"elsewhere\\";
    std::error_code error;
    fs::remove_all(fs::path(root_), error);
    fs::remove_all(fs::path(program_), error);
    fs::create_directories(fs::path(elsewhere_), error);
    fs::copy(fs::path(TestFolder() + L"..\\dist"), fs::path(program_), fs::copy_options::recursive, error);
    fs::remove_all(fs::path(program_ + L"SimState"), error);
    for (const std::wstring& name : without)
        fs::remove(fs::path(program_ + name), error);
}

ScratchProgramFolder::~ScratchProgramFolder()
{
    std::error_code ignored;
    fs::remove_all(fs::path(root_), ignored);
    fs::remove_all(fs::path(program_), ignored);
}

std::vector<std::string> ScratchProgramFolder::CallLog() const
{
    return e2e::SplitLines(e2e::ReadFileBytes(State(L"calls.log")).value_or(""));
}

e2e::ProcessResult ScratchProgramFolder::Run(const std::wstring& program,
                                             const std::vector<std::wstring>& arguments) const
{
    return e2e::RunProcess(e2e::CommandLine(File(program), arguments), elsewhere_, L"TASTRO_SIM_DIR", kAnswerMs);
}

RECT WindowShot::AreaOf(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

WindowShot::WindowShot(HWND window) : area_(AreaOf(window)), screen_(area_.right, area_.bottom) {}

bool WindowShot::Save(const std::wstring& path) const
{
    RgbaPicture picture(Width(), Height());
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            picture.at(x, y) = 0xFF000000 | At(x, y);
    return WritePngFile(path, picture, false);
}

bool WindowShot::operator==(const WindowShot& other) const
{
    if (Width() != other.Width() || Height() != other.Height())
        return false;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (At(x, y) != other.At(x, y))
                return false;
    return true;
}

MainProgram::MainProgram(const ScratchProgramFolder& folder, const std::vector<std::wstring>& arguments)
    : MainProgram(folder.Path(), folder.Elsewhere(), arguments)
{
}

MainProgram::MainProgram(const std::wstring& programFolder, const std::wstring& currentFolder,
                         const std::vector<std::wstring>& arguments)
{
    std::wstring command = e2e::CommandLine(programFolder + L"TastroII.exe", arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, currentFolder.c_str(),
                        &startup, &process_))
        process_ = PROCESS_INFORMATION{};
}

MainProgram::~MainProgram()
{
    if (!Started())
        return;
    if (Running() && window_ != nullptr)
        PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0)
        TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool MainProgram::Running() const
{
    return Started() && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND MainProgram::WaitForMainWindow(DWORD timeoutMs)
{
    WaitFor(timeoutMs, [this] {
        for (HWND window : TopLevelWindows(process_.dwProcessId, false))
            if (ClassOf(window) == kMainWindowClass && TextOf(window) == kMainWindowCaption)
                window_ = window;
        return window_ != nullptr || !Running();
    });
    DWORD_PTR ignored = 0;
    if (window_ && !SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored))
        return nullptr;
    // The window answers sent messages also while its start-up waits for another program (the
    // notification area takes the icon so): it is up once its thread waits for input.
    if (window_ && WaitForInputIdle(process_.hProcess, kAnswerMs) != 0)
        return nullptr;
    return window_;
}

std::optional<DWORD> MainProgram::WaitForExit(DWORD timeoutMs)
{
    if (!Started() || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

bool MainProgram::Suspend(bool stop) const
{
    using ProcessProc = LONG(NTAPI*)(HANDLE);
    const auto call = reinterpret_cast<ProcessProc>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), stop ? "NtSuspendProcess" : "NtResumeProcess")));
    return Started() && call != nullptr && call(process_.hProcess) == 0;
}

bool MainProgram::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window_, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &ignored) != 0;
}

bool MainProgram::SubCode(WPARAM code, LPARAM lParam) const
{
    return Send(RegisterWindowMessageW(kMainWindowMessageName), code, lParam);
}

HWND MainProgram::ControlAt(int x, int y, HWND window, POINT* point) const
{
    HWND found = window ? window : window_;
    POINT at{x, y};
    for (HWND child; (child = ChildWindowFromPointEx(found, at, CWP_SKIPINVISIBLE)) != nullptr && child != found;) {
        MapWindowPoints(found, child, &at, 1);
        found = child;
    }
    if (point)
        *point = at;
    return found;
}

bool MainProgram::Click(int x, int y, HWND window) const
{
    POINT at{};
    const HWND control = ControlAt(x, y, window, &at);
    // The system gives no mouse input to a disabled window, and posts what it gives.
    if (!IsWindowEnabled(control) || !IsWindowEnabled(GetAncestor(control, GA_ROOT)))
        return false;
    const LPARAM where = MAKELPARAM(at.x, at.y);
    return PostMessageW(control, WM_MOUSEMOVE, 0, where) && PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where) &&
           PostMessageW(control, WM_LBUTTONUP, 0, where);
}

HWND MainProgram::WaitForTopLevel(const std::wstring& className, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitFor(timeoutMs, [&] {
        for (HWND window : TopLevelWindows(process_.dwProcessId, true))
            if (ClassOf(window) == className)
                found = window;
        return found != nullptr;
    });
    return found;
}

bool MainProgram::WaitUntilGone(HWND window, DWORD timeoutMs) const
{
    return WaitFor(timeoutMs, [window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::optional<MainProgram::BoxText> MainProgram::DismissMessageBox(DWORD timeoutMs) const
{
    const HWND box = WaitForTopLevel(L"#32770", timeoutMs);
    if (box == nullptr)
        return std::nullopt;
    BoxText text{TextOf(box), {}};
    for (HWND child : ChildWindows(box))
        if (ClassOf(child) == L"Static" && !TextOf(child).empty())
            text.text += TextOf(child);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntilGone(box);
    return text;
}

GuiHandleCounts MainProgram::HandleCounts() const
{
    return {GdiObjectCount(process_.hProcess), WindowCount(process_.dwProcessId)};
}

void ProgramSuite::StartProgram(const std::function<void(const ScratchProgramFolder&)>& prepare,
                                const std::vector<std::wstring>& arguments, const std::wstring& location)
{
    SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
    folder_ = new ScratchProgramFolder({}, location);
    prepare(*folder_);
    program_ = new MainProgram(*folder_, arguments);
    window_ = program_->WaitForMainWindow();
}

void ProgramSuite::StopProgram()
{
    delete program_;
    program_ = nullptr;
    delete folder_;
    folder_ = nullptr;
}

void ProgramSuite::WriteFunCfg(const ScratchProgramFolder& folder, const std::string& more)
{
    const std::string program = e2e::Utf8(folder.Path());
    e2e::WriteFileBytes(folder.File(L"fun.cfg"), "[F1]\r\nDisplayName=Witness\r\nIconFile=" + program +
                                                     "witness.exe\r\n1=" + program +
                                                     "witness.exe\r\nType=3\r\nCount=1\r\n"
                                                     "[F2]\r\nDisplayName=Hello\r\n1=hello\r\nType=2\r\nCount=1\r\n" +
                                                     more);
}

void ProgramSuite::SetUp()
{
    ASSERT_NE(window_, nullptr) << "the main window did not come up";
    ASSERT_TRUE(program_->Running());
}

bool ProgramSuite::Answer(POINT answer)
{
    const HWND dialog = program_->WaitForTopLevel(L"TConfirmDlg");
    return dialog && program_->Click(answer.x, answer.y, dialog) && program_->WaitUntilGone(dialog);
}

std::optional<std::string> ProgramSuite::Setting(const std::string& key)
{
    return e2e::IniValue(folder_->File(L"Setting.ini"), "Info", key);
}

std::vector<std::uint8_t> ProgramSuite::KeyTable()
{
    return Bytes(e2e::ReadFileBytes(folder_->State(L"13060030.bin")));
}

int GdiObjectCount(HANDLE process)
{
    using QueryProc = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr || query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return -1;
    // GdiSharedHandleTable in the PEB of a process of this program's own width.
    constexpr std::size_t kTableField = sizeof(void*) == 4 ? 0x94 : 0xF8;
    void* table = nullptr;
    if (!ReadProcessMemory(process, static_cast<const std::uint8_t*>(static_cast<const void*>(basic.PebBaseAddress)) +
                                        kTableField,
                           &table, sizeof(table), nullptr) ||
        table == nullptr)
        return -1;
    // 65536 entries of 24 bytes; an entry in use has a nonzero object type at byte 14.
    constexpr std::size_t kEntries = 0x10000, kEntrySize = 24, kTypeOffset = 14;
    std::vector<std::uint8_t> entries(kEntries * kEntrySize);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), nullptr))
        return -1;
    int used = 0;
    for (std::size_t i = 0; i < kEntries; ++i)
        used += entries[i * kEntrySize + kTypeOffset] != 0;
    return used;
}

int WindowCount(DWORD processId)
{
    int count = 0;
    for (HWND window : TopLevelWindows(processId, false))
        count += 1 + static_cast<int>(ChildWindows(window).size());
    return count;
}

} // namespace mainwindow
