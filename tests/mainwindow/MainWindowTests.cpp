// The real program, started once in a scratch program folder and driven from outside: the
// single instance and the hidden start, the controller's key reports, the sub-codes, the
// switch and its guard, deleting a key and cleaning all keys with their confirmation, the
// skin on screen, and the GUI handles it holds over many redraws and dialogs.

#include "RunningProgram.h"
#include "SkinPictures.h"

#include "EcBuffer.h"
#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>

namespace mainwindow {
namespace {

// Controls of the main window, by a point inside them.
constexpr POINT kSwitch{1067 + 20, 9 + 14};
constexpr POINT kCleanAll{232 + 14, 60 + 17};
constexpr POINT kClearPages{1146 + 14, 56 + 17};
constexpr POINT kDelayField{336 + 16, 533 + 8};
constexpr wchar_t kConfirmDialogClass[] = L"TConfirmDlg";

POINT KeyPoint(int n)
{
    return {26 + 4, 105 + (n - 1) * 40 + 4};
}

class MainWindow : public ProgramSuite {
protected:
    static void SetUpTestSuite()
    {
        // The pointer stays away from the window: only the test's own mouse messages count.
        SetCursorPos(0, 0);
        StartProgram([](const ScratchProgramFolder& folder) {
            WriteFunCfg(folder, "[F4]\r\nDisplayName=Next Audio Output\r\n1=430\r\nType=4\r\nCount=1\r\n");
            WritePrivateProfileStringW(L"Info", L"Time", L"1000", folder.File(L"Setting.ini").c_str());
        });
    }
    static void TearDownTestSuite() { StopProgram(); }

    // Clicks the delete mark of key n, answers the question and waits for the key table, which
    // is written whatever the answer.
    static bool DeleteKey(int n, POINT answer)
    {
        const POINT key = KeyPoint(n);
        RECT button{};
        GetClientRect(program_->ControlAt(key.x, key.y), &button);
        const std::size_t tables = TableWrites();
        if (!program_->Click(key.x - 4 + button.right - 16, key.y - 4 + 12))
            return false;
        return Answer(answer) && WaitFor(20000, [tables] { return TableWrites() == tables + 1; });
    }
};

TEST_F(MainWindow, StartsHiddenSendsOnlyTheSwitchAndASecondStartShowsIt)
{
    EXPECT_FALSE(IsWindowVisible(window_));
    const auto calls = folder_->CallLog();
    EXPECT_EQ(Count(calls, "Biosgateex AcpiInit"), 1u);
    EXPECT_EQ(Count(calls, "Sysbridge VnSysSvr_RegisterNotify"), 1u);
    EXPECT_EQ(Count(calls, "Biosgateex AcpiSetItem 0x13070031 1 1"), 1u) << "the stored switch at start";
    EXPECT_EQ(TableWrites(), 0u) << "the controller keeps its table: nothing is written at start";

    const e2e::ProcessResult second = folder_->Run(L"TastroII.exe", {});
    EXPECT_EQ(second.exitCode, 0u);
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(TopLevelWindowsOf(kMainWindowClass), std::vector<HWND>{window_}) << "one main window only";

    // A first instance that hangs keeps a second start for seconds, not for ever.
    ASSERT_TRUE(program_->Suspend(true));
    const ULONGLONG sent = GetTickCount64();
    EXPECT_EQ(folder_->Run(L"TastroII.exe", {}).exitCode, 0u);
    EXPECT_LT(GetTickCount64() - sent, 20000u);
    ASSERT_TRUE(program_->Suspend(false));
}

TEST_F(MainWindow, ScreenShowsTheShapedSkin)
{
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    RECT frame{};
    GetWindowRect(window_, &frame);
    ASSERT_EQ(frame.right - frame.left, 1259);
    ASSERT_EQ(frame.bottom - frame.top, 592);
    const WindowShot shot(window_);
    shot.Save(TestFolder() + L"mainwindow-screenshot.png");

    const SkinPictures skin(folder_->Path());
    ASSERT_TRUE(skin.Loaded()) << "the skin pictures of the program folder";
    // Outside the picture's shape the screen behind shows through.
    const std::uint32_t desktop = shot.At(-1, 0);
    int cut = 0;
    for (const POINT p : skin.KeyColouredCorners()) {
        EXPECT_EQ(shot.At(p.x, p.y), desktop) << p.x << "," << p.y;
        ++cut;
    }
    EXPECT_GT(cut, 0) << "the background picture has key-coloured corners";
    // The picture itself where no control lies: header, page area, key column gap.
    for (const POINT p : {POINT{640, 20}, POINT{700, 520}, POINT{1000, 140}, POINT{10, 300}})
        EXPECT_EQ(shot.At(p.x, p.y), skin.Background(p.x, p.y)) << p.x << "," << p.y;
    // The Macro Keys page's empty step frame over it.
    for (const POINT p : {POINT{700, 300}, POINT{1000, 450}})
        EXPECT_EQ(shot.At(p.x, p.y), skin.Blend(L"combined_key\\frame.png", p.x - 297, p.y - 149, p.x, p.y))
            << p.x << "," << p.y;
    // The tabs are cut to their picture's shape; the checked one shows its face over the picture.
    const POINT tabCorner = skin.TabCutPoint();
    EXPECT_EQ(shot.At(277 + tabCorner.x, 56 + tabCorner.y), skin.Background(277 + tabCorner.x, 56 + tabCorner.y));
    EXPECT_EQ(shot.At(277 + 30, 56 + 35), skin.Blend(L"tab\\tab_d.png", 30, 35, 277 + 30, 56 + 35));
    EXPECT_EQ(shot.At(443 + 30, 56 + 35), skin.Blend(L"tab\\tab_n.png", 30, 35, 443 + 30, 56 + 35));
    // An unassigned, unselected key shows F_n over the picture.
    EXPECT_EQ(shot.At(26 + 3, 185 + 3), skin.Blend(L"radiobutton\\F_n.png", 3, 3, 26 + 3, 185 + 3));
}

TEST_F(MainWindow, ReportedKeysRunTheirActions)
{
    EXPECT_EQ(folder_->Run(L"simkey.exe", {L"F2"}).exitCode, 0u);
    EXPECT_FALSE(e2e::Exists(folder_->State(L"witness.log"))) << "a typed text runs in the controller";

    EXPECT_EQ(folder_->Run(L"simkey.exe", {L"F1"}).exitCode, 0u);
    bool opened = false;
    for (int i = 0; i < 200 && !opened; ++i, Sleep(50))
        opened = e2e::ReadFileBytes(folder_->State(L"witness.log")).value_or("").find("witness.exe") != std::string::npos;
    EXPECT_TRUE(opened) << "the shortcut's target was started";

    EXPECT_EQ(folder_->Run(L"simkey.exe", {L"F4"}).exitCode, 0u);
    EXPECT_EQ(e2e::IniValue(folder_->State(L"audio.ini"), "Audio", "Default"), "Speakers");
    EXPECT_EQ(TableWrites(), 0u);
}

TEST_F(MainWindow, KeyChangedSubCodeWritesTheTableFromTheTool)
{
    const e2e::ProcessResult sent = folder_->Run(L"tastromsg.exe", {L"key-changed", L"2"});
    EXPECT_EQ(sent.exitCode, 0u) << sent.err;
    EXPECT_EQ(TableWrites(), 1u);
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));
}

TEST_F(MainWindow, SelectingAKeyShowsThePageOfItsType)
{
    const SkinPictures skin(folder_->Path());
    // The checked tab shows tab_d.png (tab_od.png under the mouse) where no caption is written.
    const auto checkedTab = [&] {
        const WindowShot shot(window_);
        for (int k = 0; k < 4; ++k) {
            const int x = 277 + 166 * k + 30, y = 56 + 35;
            if (shot.At(x, y) == skin.Blend(L"tab\\tab_d.png", 30, 35, x, y) ||
                shot.At(x, y) == skin.Blend(L"tab\\tab_od.png", 30, 35, x, y))
                return k + 1;
        }
        return 0;
    };
    EXPECT_EQ(checkedTab(), 1) << "Macro Keys at start";
    const std::pair<int, int> clicks[] = {{4, 3}, {1, 4}, {3, 4}, {2, 2}};
    for (const auto& [key, tab] : clicks) {
        const POINT p = KeyPoint(key);
        ASSERT_TRUE(program_->Click(p.x + 40, p.y));
        EXPECT_TRUE(WaitFor(5000, [&] { return checkedTab() == tab; })) << "F" << key << " shows tab " << tab;
    }
    // A tab's own click goes back to Macro Keys, where the delay field shows.
    ASSERT_TRUE(program_->Click(277 + 30, 56 + 20));
    EXPECT_TRUE(WaitFor(5000, [&] { return checkedTab() == 1; }));
}

TEST_F(MainWindow, ForeignSubCodesChangeNothing)
{
    const e2e::TreeSnapshot files = e2e::Snapshot(folder_->Path());
    const WindowShot before(window_);
    const std::pair<WPARAM, LPARAM> foreign[] = {
        {MKM_REFRESH_KEY, 0},
        {MKM_REFRESH_KEY, 11},
        {MKM_REFRESH_KEY, -1},
        {MKM_REFRESH_KEY, 0x7FFFFFFF},
        {MKM_HOOK_KEY, LPARAM(kHookKeyDown | 'A')},
        {MKM_HOOK_KEY, LPARAM(kHookKeyUp | 'A')},
        {MKM_HOOK_KEY, 0},
        {1253, 1},
        {1256, 1},
        {0x55, 1},
        {0xE002, LPARAM(kHookKeyDown | 'A')},
    };
    for (const auto& [code, value] : foreign)
        EXPECT_TRUE(program_->SubCode(code, value)) << code;
    EXPECT_TRUE(program_->Send(WM_USER + 7, 0x55, 0xA002000C)) << "not the service's values";
    EXPECT_TRUE(program_->Running());
    EXPECT_EQ(e2e::Changes(files, e2e::Snapshot(folder_->Path())), std::vector<std::string>{});
    EXPECT_TRUE(WindowShot(window_) == before) << "nothing was redrawn differently";
}

TEST_F(MainWindow, DelayFieldKeepsFourDigitsAndStoresTenForNoNumber)
{
    const HWND field = program_->ControlAt(kDelayField.x, kDelayField.y);
    wchar_t text[16] = {};
    SendMessageW(field, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"1000") << "all four stored digits come back";
    RECT box{};
    GetWindowRect(field, &box);
    EXPECT_EQ(std::make_pair(box.right - box.left, box.bottom - box.top), std::make_pair(33L, 17L));

    // What the user leaves in the field is stored once a command of the main scene runs.
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"", "10"}, {L"750", "750"}, {L"x1", "10"}, {L"1234", "1234"}, {L"5", "10"}};
    for (const auto& [typed, stored] : cases) {
        ASSERT_TRUE(program_->Click(kDelayField.x, kDelayField.y));
        ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
        SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
        ASSERT_TRUE(program_->Click(kClearPages.x, kClearPages.y));
        EXPECT_TRUE(WaitFor(10000, [&] { return Setting("Time") == stored; })) << e2e::Utf8(typed);
    }
    SendMessageW(field, WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"10");
}

TEST_F(MainWindow, SwitchWaitsForItsGuardOrADeviceArrival)
{
    const HWND box = program_->ControlAt(kSwitch.x, kSwitch.y);
    ASSERT_NE(box, window_);
    ASSERT_TRUE(IsWindowEnabled(box));
    ASSERT_TRUE(program_->Click(kSwitch.x, kSwitch.y));
    EXPECT_TRUE(WaitFor(10000, [] { return !IsWindowEnabled(program_->ControlAt(kSwitch.x, kSwitch.y)); }));
    EXPECT_EQ(Setting("Switch"), "0");
    EXPECT_EQ(e2e::ReadFileBytes(folder_->State(L"13070031.txt")), "0");
    EXPECT_FALSE(IsWindowEnabled(box)) << "disabled while the guard runs";
    EXPECT_FALSE(program_->Click(kSwitch.x, kSwitch.y)) << "a second click finds it disabled";

    EXPECT_TRUE(program_->Send(WM_DEVICECHANGE, 0x8004, 0));
    EXPECT_FALSE(IsWindowEnabled(box)) << "a removal keeps it disabled";
    EXPECT_TRUE(program_->Send(WM_DEVICECHANGE, 0x8000, 0));
    EXPECT_TRUE(IsWindowEnabled(box)) << "a HID arrival ends the guard early";

    ASSERT_TRUE(program_->Click(kSwitch.x, kSwitch.y));
    EXPECT_TRUE(WaitFor(10000, [box] { return !IsWindowEnabled(box); }));
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Setting("Switch"), "1");
    while (!IsWindowEnabled(box) && GetTickCount64() - start < 15000)
        Sleep(50);
    EXPECT_TRUE(IsWindowEnabled(box));
    EXPECT_GE(GetTickCount64() - start, 8500u) << "the guard lasts 9 seconds";

    // After a resume the controller gets the stored switch again, and nothing else.
    const std::size_t switches = Count(folder_->CallLog(), "AcpiSetItem 0x13070031 1 1");
    const std::size_t tables = TableWrites();
    EXPECT_TRUE(program_->Send(WM_POWERBROADCAST, 7, 0));
    EXPECT_EQ(Count(folder_->CallLog(), "AcpiSetItem 0x13070031 1 1"), switches + 1);
    EXPECT_EQ(TableWrites(), tables);
}

TEST_F(MainWindow, HandleCountsStayFlatOverRedrawsAndDialogs)
{
    // Warm up: caches that fill once are not leaks.
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(program_->SubCode(MKM_REFRESH_KEY, 1 + i % 10));
        ASSERT_TRUE(DeleteKey(1, kCancel));
    }
    // Released overlays go once the main window's messages run again.
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    const GuiHandleCounts before = program_->HandleCounts();
    ASSERT_GT(before.gdiObjects, 0);
    ASSERT_GT(before.windows, 0);

    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(program_->SubCode(MKM_REFRESH_KEY, 1 + i % 10));
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(DeleteKey(1, kCancel)) << "opening " << i;
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    const GuiHandleCounts after = program_->HandleCounts();
    // A leak per redraw or per dialog would add hundreds.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 4) << before.gdiObjects << " -> " << after.gdiObjects;
    EXPECT_EQ(after.windows, before.windows);
}

TEST_F(MainWindow, DeletingAKeyAsksFirstAndWritesTheTableEitherWay)
{
    const std::size_t tables = TableWrites();
    ASSERT_TRUE(DeleteKey(2, kCancel));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"fun.cfg"), "F2", "Type"), "2") << "cancelled: the key stays";
    EXPECT_EQ(TableWrites(), tables + 1);

    ASSERT_TRUE(DeleteKey(2, kConfirm));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"fun.cfg"), "F2", "Type"), std::nullopt);
    EXPECT_EQ(TableWrites(), tables + 2);
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"fun.cfg"), "F1", "Type"), "3") << "other keys stay";
}

TEST_F(MainWindow, CleanAllAsksFirstAndLeavesOnlyTheFixedRecords)
{
    const HWND cleanAll = program_->ControlAt(kCleanAll.x, kCleanAll.y);
    ASSERT_TRUE(IsWindowEnabled(cleanAll));
    e2e::TreeSnapshot files = e2e::Snapshot(folder_->Path());
    const std::size_t controllerCalls = Count(folder_->CallLog(), "Biosgateex");
    ASSERT_TRUE(program_->Click(kCleanAll.x, kCleanAll.y));
    const HWND dialog = program_->WaitForTopLevel(kConfirmDialogClass);
    ASSERT_NE(dialog, nullptr);
    const WindowShot question(dialog);
    question.Save(TestFolder() + L"confirm-dialog-screenshot.png");
    const SkinPictures skin(folder_->Path());
    const POINT body = skin.PopupBodyPoint();
    EXPECT_EQ(question.At(body.x, body.y), skin.Popup(body.x, body.y)) << "the dialog's own picture";
    for (const POINT p : skin.PopupKeyColouredCorners())
        EXPECT_NE(question.At(p.x, p.y), 0xFF00FFu) << "cut to its shape at " << p.x << "," << p.y;

    ASSERT_TRUE(Answer(kCancel));
    EXPECT_TRUE(program_->Send(WM_NULL, 0, 0));
    // The question's texts pass through the translation library, which logs its calls too.
    e2e::TreeSnapshot now = e2e::Snapshot(folder_->Path());
    files.erase("SimState\\calls.log");
    now.erase("SimState\\calls.log");
    EXPECT_EQ(e2e::Changes(files, now), std::vector<std::string>{}) << "cancelled";
    EXPECT_EQ(Count(folder_->CallLog(), "Biosgateex"), controllerCalls);

    const std::size_t tables = TableWrites();
    ASSERT_TRUE(program_->Click(kCleanAll.x, kCleanAll.y));
    ASSERT_TRUE(Answer(kConfirm));
    ASSERT_TRUE(WaitFor(20000, [tables] { return TableWrites() == tables + 1; }));
    EXPECT_TRUE(program_->Send(WM_NULL, 0, 0));
    for (const char* key : {"F1", "F2", "F4"})
        EXPECT_EQ(e2e::IniValue(folder_->File(L"fun.cfg"), key, "Type"), std::nullopt) << key;
    const ControllerPort::Table fixed = FixedEcBuffer();
    EXPECT_EQ(KeyTable(), std::vector<std::uint8_t>(fixed.begin(), fixed.end()));
    EXPECT_FALSE(IsWindowEnabled(cleanAll)) << "nothing left to clean";
}

TEST_F(MainWindow, ClosingUnregistersAndEnds)
{
    PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(program_->WaitForExit(30000), 0u);
    EXPECT_EQ(Count(folder_->CallLog(), "Sysbridge VnSysSvr_UnregisterNotify"), 1u);
}

TEST(MissingLibraries, ShowTheirMessagesAndTheWindowStillWorks)
{
    SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
    // Missing pictures leave empty ones: the window keeps its size, without its shape.
    const ScratchProgramFolder folder(
        {L"Biosgateex.dll", L"Iconform.dll", L"resource\\background\\BG.png", L"resource\\tab\\tab_n.png"});
    // A copy of the image library in a folder on PATH is not taken for the missing one.
    const std::wstring onPath = folder.Elsewhere() + L"libraries";
    ASSERT_TRUE(CreateDirectoryW(onPath.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW((TestFolder() + L"..\\dist\\Iconform.dll").c_str(), (onPath + L"\\Iconform.dll").c_str(), TRUE));
    wchar_t path[32767] = {};
    GetEnvironmentVariableW(L"PATH", path, 32767);
    SetEnvironmentVariableW(L"PATH", (onPath + L";" + path).c_str());
    MainProgram program(folder, {L"-h"});
    SetEnvironmentVariableW(L"PATH", path);

    // A second start while the first one's start-up shows a message box brings the window up.
    ASSERT_NE(program.WaitForTopLevel(L"#32770", 60000), nullptr);
    EXPECT_EQ(folder.Run(L"TastroII.exe", {}).exitCode, 0u);
    const MainProgram::BoxText expected[] = {{L"", L"Can not load Biosgate.dll"}, {L"Warning", L"Can't load Iconform.dll"}};
    for (const auto& [caption, text] : expected) {
        const auto box = program.DismissMessageBox();
        ASSERT_TRUE(box) << e2e::Utf8(text);
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->caption, caption);
    }
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    for (int i = 0; i < 100 && !IsWindowVisible(window); ++i)
        Sleep(50);
    EXPECT_TRUE(IsWindowVisible(window));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 1259);
    EXPECT_EQ(frame.bottom - frame.top, 592);

    EXPECT_EQ(folder.Run(L"simkey.exe", {L"F1"}).exitCode, 0u) << "the key report is handled";
    EXPECT_TRUE(program.SubCode(MKM_KEY_CHANGED, 1));
    EXPECT_TRUE(program.Click(kSwitch.x, kSwitch.y));
    EXPECT_TRUE(WaitFor(10000, [&] { return e2e::IniValue(folder.File(L"Setting.ini"), "Info", "Switch") == "0"; }));
    EXPECT_TRUE(program.Running());
    EXPECT_FALSE(e2e::Exists(folder.State(L"13060030.bin")));
    EXPECT_EQ(program.DismissMessageBox(500), std::nullopt) << "no further message";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(30000), 0u);
}

TEST(FailedCheck, EndsTheProgramWithoutABuildPathAndUnregistersTheWindow)
{
    SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
    // The PNG library missing; the translation library without an entry point.
    const std::tuple<std::wstring, std::wstring, std::string> cases[] = {
        {L"Pixlo.dll", L"", "m_hinst, file PngReader.cpp, line "},
        {L"RoRarodAzav.dll", L"RoRarodAzav-incomplete.dll",
         "m_pVnTranslateStr != NULL && m_pVnGetLangName != NULL, file RoRarodAzavDll.cpp, line "}};
    for (const auto& [library, replacement, report] : cases) {
        const ScratchProgramFolder folder({library});
        if (!replacement.empty()) {
            ASSERT_TRUE(CopyFileW((TestFolder() + replacement).c_str(), folder.File(library).c_str(), TRUE));
        }
        const e2e::ProcessResult result = folder.Run(L"TastroII.exe", {L"-h"});
        EXPECT_EQ(result.exitCode, 3u) << report;
        // The file's name without a folder of the build machine.
        EXPECT_EQ(result.err.rfind("Assertion failed: " + report, 0), 0u) << result.err;
        EXPECT_EQ(e2e::IniValue(folder.State(L"service.ini"), "Service", "Window"), std::nullopt) << "unregistered";
    }
}

TEST(HandleCounter, SeesALeakingProgramGrow)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION leaky{};
    std::wstring command = L"\"" + TestFolder() + L"leakywindow.exe\"";
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &leaky));
    HWND window = nullptr;
    for (int i = 0; i < 400 && !window; ++i, Sleep(25))
        for (HWND each : TopLevelWindowsOf(L"TastroLeakyWindow"))
            window = each;
    ASSERT_NE(window, nullptr);
    const int gdiBefore = GdiObjectCount(leaky.hProcess);
    const int windowsBefore = WindowCount(leaky.dwProcessId);
    for (int i = 0; i < 10; ++i)
        SendMessageW(window, WM_APP, 0, 0);
    EXPECT_GE(GdiObjectCount(leaky.hProcess), gdiBefore + 10);
    EXPECT_EQ(WindowCount(leaky.dwProcessId), windowsBefore + 10);
    PostMessageW(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(leaky.hProcess, 10000);
    CloseHandle(leaky.hThread);
    CloseHandle(leaky.hProcess);
}

} // namespace
} // namespace mainwindow
