// The real program started once with "-h" and driven through its notification-area icon with the
// real pointer: the tip, the window brought up, and a click on the balloon as the notification area
// reports it.

#include "RunningProgram.h"

#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

namespace mainwindow {
namespace {

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

} // namespace
} // namespace mainwindow
