// The real program started once with "-h" and driven through its notification-area icon with the
// real pointer: the tip, the window brought up, the menu's switch and its guard, a click on the
// balloon as the notification area reports it, saving and loading a profile through the profile
// box, and the end through the menu.

#include "RunningProgram.h"

#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

namespace mainwindow {
namespace {

constexpr POINT kSwitch{1067 + 20, 9 + 14};
constexpr POINT kLoad{9 + 50, 62 + 15};
constexpr POINT kSave{122 + 50, 62 + 15};
constexpr POINT kCleanAll{232 + 14, 60 + 17};
// The profile box: the name field, the first row of the list in Load mode, the action button.
constexpr POINT kBoxName{24 + 10, 85 + 10};
constexpr POINT kBoxFirstRow{19 + 20, 82 + 8};
constexpr POINT kBoxSave{56 + 50, 279 + 15};
constexpr POINT kBoxLoad{56 + 50, 228 + 15};
// The key buttons' column.
constexpr RECT kKeyColumn{26, 105, 26 + 190, 105 + 10 * 40 - 12};

class Tray : public ProgramSuite {
protected:
    static void SetUpTestSuite()
    {
        StartProgram([](const ScratchProgramFolder& folder) {
            WriteFunCfg(folder);
            // The menu's lines are translated, the tip is not, and "-" stays a separator.
            e2e::WriteFileBytes(folder.File(L"Translation.ini"),
                                "[Text]\r\nOn=Ein\r\nExit=Beenden\r\n-=Nein\r\nTastro=Tastro X\r\n");
        });
    }
    static void TearDownTestSuite()
    {
        StopProgram();
        SetCursorPos(0, 0);
    }

    // The menu of a right click on the icon.
    static HWND OpenMenu()
    {
        return ClickIcon(icon_, 3) ? program_->WaitForTopLevel(L"#32768", 10000) : nullptr;
    }
    // Clicks the first or the last line of the open menu with the real pointer.
    static bool ChooseLine(HWND menu, bool first)
    {
        RECT area{};
        GetWindowRect(menu, &area);
        return PointerTo({area.left + 30, first ? area.top + 10 : area.bottom - 10}, L"click 1");
    }
    static bool KeysLookAs(const WindowShot& earlier)
    {
        const WindowShot now(window_);
        for (LONG y = kKeyColumn.top; y < kKeyColumn.bottom; ++y)
            for (LONG x = kKeyColumn.left; x < kKeyColumn.right; ++x)
                if (now.At(x, y) != earlier.At(x, y))
                    return false;
        return true;
    }
    // Clicks a control once it takes input (after a popup closed, or once a name enabled it).
    static bool ClickWhenReady(POINT point, HWND window = nullptr)
    {
        return WaitFor(5000, [&] { return program_->Click(point.x, point.y, window); });
    }
    // Opens the profile box with the main window's Load or Save button.
    static HWND OpenBox(POINT button)
    {
        return ClickWhenReady(button) ? program_->WaitForTopLevel(L"TfrmProfileBox") : nullptr;
    }

    static inline HWND icon_ = nullptr;
};

TEST_F(Tray, IconShowsItsTipAndALeftClickBringsTheWindowUp)
{
    EXPECT_FALSE(IsWindowVisible(window_));
    // The notification area shows an icon a moment after it was added.
    EXPECT_TRUE(WaitFor(10000, [] { return !NotificationAreaIcons().empty(); }));
    for (HWND icon : NotificationAreaIcons())
        if (TipOf(icon) == L"Tastro")
            icon_ = icon;
    ASSERT_NE(icon_, nullptr) << "no icon with the tip \"Tastro\" in the notification area";
    ASSERT_TRUE(ClickIcon(icon_, 1));
    EXPECT_TRUE(WaitFor(10000, [] { return IsWindowVisible(window_) != FALSE; }));
}

TEST_F(Tray, MenuSwitchesTheKeysAndWaitsForTheGuard)
{
    ASSERT_NE(icon_, nullptr);
    EXPECT_GE(Calls("VnTranslateStr \"On\""), 1u);
    EXPECT_GE(Calls("VnTranslateStr \"Exit\""), 1u);
    EXPECT_EQ(Calls("VnTranslateStr \"-\""), 0u) << "the separator is no text";
    const std::size_t offs = Calls("AcpiSetItem 0x13070031 0 1");
    const std::size_t ons = Calls("AcpiSetItem 0x13070031 1 1");

    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    WindowShot(menu).Save(TestFolder() + L"tray-menu-screenshot.png");
    ASSERT_TRUE(ChooseLine(menu, true));
    const HWND box = program_->ControlAt(kSwitch.x, kSwitch.y);
    ASSERT_TRUE(WaitFor(10000, [box] { return !IsWindowEnabled(box); })) << "the main switch is guarded too";
    const ULONGLONG changed = GetTickCount64();
    EXPECT_EQ(Setting("Switch"), "0");
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 0 1"), offs + 1);

    // While the guard runs the line is disabled: a click on it leaves the menu open and changes nothing.
    menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ChooseLine(menu, true));
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(menu));
    // Another right click reported while the menu is open pops no second menu, which would hold
    // the report until it closed.
    EXPECT_EQ(folder_->Run(L"tastromsg.exe", {L"tray", L"0x205"}).exitCode, 0u);
    ASSERT_TRUE(PointerTo({800, 990}, L"click 1"));
    ASSERT_TRUE(program_->WaitUntilGone(menu));
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    EXPECT_EQ(Setting("Switch"), "0");
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031"), offs + ons + 1);

    ASSERT_TRUE(WaitFor(15000, [box] { return IsWindowEnabled(box) != FALSE; }));
    EXPECT_GE(GetTickCount64() - changed, 8500u) << "the guard lasts nine seconds";
    menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ChooseLine(menu, true));
    EXPECT_TRUE(WaitFor(10000, [] { return Setting("Switch") == "1"; }));
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 1 1"), ons + 1);
}

TEST_F(Tray, BalloonClickStartsTheHostSuiteOnPageZero)
{
    // Shown, hidden and timed-out balloons start nothing; only a click does.
    for (const wchar_t* code : {L"0x402", L"0x403", L"0x404", L"0x405"})
        EXPECT_EQ(folder_->Run(L"tastromsg.exe", {L"tray", code}).exitCode, 0u) << e2e::Utf8(code);
    const auto log = [] { return e2e::ReadFileBytes(folder_->State(L"witness.log")).value_or(""); };
    EXPECT_TRUE(WaitFor(10000, [&] { return !log().empty(); }));
    Sleep(500);
    EXPECT_EQ(log(), "Hub Deck II.exe\t\"" + e2e::Utf8(folder_->File(L"Hub Deck II.exe")) + "\" -OPEN 0\n");
}

TEST_F(Tray, ProfileSavedAndLoadedThroughTheBoxIsAppliedAgain)
{
    const WindowShot assigned(window_);
    const HWND saveBox = OpenBox(kSave);
    ASSERT_NE(saveBox, nullptr);
    const HWND name = program_->ControlAt(kBoxName.x, kBoxName.y, saveBox);
    for (const wchar_t c : std::wstring(L"Game"))
        PostMessageW(name, WM_CHAR, c, 0);
    ASSERT_TRUE(ClickWhenReady(kBoxSave, saveBox));
    ASSERT_TRUE(program_->WaitUntilGone(saveBox));
    EXPECT_EQ(e2e::ReadFileBytes(folder_->File(L"profile\\Game.mck")), e2e::ReadFileBytes(folder_->File(L"fun.cfg")));

    // Every key cleaned: the buttons read F1 to F10.
    ASSERT_TRUE(ClickWhenReady(kCleanAll));
    ASSERT_TRUE(Answer(kConfirm));
    EXPECT_TRUE(WaitFor(10000, [&] { return !KeysLookAs(assigned); }));

    const std::size_t tables = TableWrites();
    const HWND loadBox = OpenBox(kLoad);
    ASSERT_NE(loadBox, nullptr);
    ASSERT_TRUE(program_->Click(kBoxFirstRow.x, kBoxFirstRow.y, loadBox));
    Sleep(200);
    WindowShot(window_).Save(TestFolder() + L"profilebox-over-main-window.png");
    ASSERT_TRUE(ClickWhenReady(kBoxLoad, loadBox));
    ASSERT_TRUE(program_->WaitUntilGone(loadBox));
    // The box only asks; the main window applies the profile when the broadcast arrives.
    ASSERT_TRUE(WaitFor(20000, [tables] { return TableWrites() == tables + 1; }));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"profile\\TargetProfile.ini"), "TargetProfile", "NAME"), "Game");
    EXPECT_EQ(e2e::ReadFileBytes(folder_->File(L"fun.cfg")), e2e::ReadFileBytes(folder_->File(L"profile\\Game.mck")));
    // The controller logs the write before it stores the table.
    const std::vector<std::uint8_t> expected = ExpectedTable(folder_->Path());
    EXPECT_TRUE(WaitFor(5000, [&] { return KeyTable() == expected; }));
    EXPECT_TRUE(WaitFor(10000, [&] { return KeysLookAs(assigned); })) << "the keys are drawn again";
}

TEST_F(Tray, ExitEndsTheProgramAndUnregistersOnce)
{
    ASSERT_NE(icon_, nullptr);
    const HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(ChooseLine(menu, false));
    EXPECT_EQ(program_->WaitForExit(30000), 0u);
    EXPECT_EQ(Calls("Sysbridge VnSysSvr_UnregisterNotify"), 1u);
    EXPECT_TRUE(WaitFor(10000, [] { return !IsWindow(icon_) || !IsWindowVisible(icon_); }))
        << "the icon left the notification area";
}

} // namespace
} // namespace mainwindow
