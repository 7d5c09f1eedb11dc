#include "gui/controls/CsTrayIconW.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

class RecordingShell final : public TrayShell {
public:
    std::uint64_t version = MakeDllVersion(6, 0);
    BOOL answer = TRUE;
    std::vector<ShellCall> calls;

    BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override
    {
        calls.push_back({message, data});
        return answer;
    }
    std::uint64_t ShellVersion() override { return version; }
};

constexpr UINT kCallback = WM_USER + 90;

TEST(CsTrayIconW, RecordSizeFollowsTheShellVersion)
{
    RecordingShell shell;
    const std::pair<std::uint64_t, DWORD> cases[] = {
        {MakeDllVersion(6, 1), NOTIFYICONDATAW_V3_SIZE},
        {MakeDllVersion(6, 0), NOTIFYICONDATAW_V3_SIZE},
        {MakeDllVersion(5, 0), NOTIFYICONDATAW_V2_SIZE},
        {MakeDllVersion(5, 80), NOTIFYICONDATAW_V2_SIZE},
        {MakeDllVersion(4, 71), NOTIFYICONDATAW_V1_SIZE},
        {0, NOTIFYICONDATAW_V1_SIZE},
    };
    for (const auto& [version, size] : cases) {
        shell.version = version;
        CsTrayIconW icon(nullptr, 1, kCallback, shell);
        EXPECT_EQ(icon.Data().cbSize, size) << std::hex << version;
    }
}

TEST(CsTrayIconW, ShellVersionComesFromDllGetVersion)
{
    EXPECT_GE(GetDllVersion(L"Shell32.dll"), MakeDllVersion(5, 0));
    // A library without the entry point reports no version, hence the oldest record.
    EXPECT_EQ(GetDllVersion(L"kernel32.dll"), 0u);
    EXPECT_EQ(GetDllVersion(L"no-such-library-here.dll"), 0u);
    EXPECT_EQ(IconDataSizeForShellVersion(GetDllVersion(L"kernel32.dll")), NOTIFYICONDATAW_V1_SIZE);
}

TEST(CsTrayIconW, FlagsAreRebuiltForEachCall)
{
    RecordingShell shell;
    CsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetIcon(reinterpret_cast<HICON>(0x10));
    ASSERT_TRUE(icon.Add());
    EXPECT_EQ(shell.calls.back().data.uFlags, 0x13u); // message, icon, info

    icon.SetTip(L"Tastro");
    icon.Modify(false);
    EXPECT_EQ(shell.calls.back().message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shell.calls.back().data.uFlags, 0x17u);

    icon.SetIcon(nullptr);
    icon.SetTip(L"");
    icon.Modify(false);
    EXPECT_EQ(shell.calls.back().data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_INFO));
}

TEST(CsTrayIconW, VisibilityMirrorsTheShellsAnswer)
{
    RecordingShell shell;
    CsTrayIconW icon(nullptr, 1, kCallback, shell);
    shell.answer = FALSE; // no notification area yet
    icon.SetVisible(true);
    EXPECT_FALSE(icon.GetVisible());
    shell.answer = TRUE;
    icon.SetVisible(true);
    icon.SetVisible(true);
    EXPECT_TRUE(icon.GetVisible());
    ASSERT_EQ(shell.calls.size(), 2u); // the failed add and one more, not a third

    shell.answer = FALSE; // a refused delete leaves the icon counted as shown
    icon.SetVisible(false);
    EXPECT_TRUE(icon.GetVisible());
    shell.answer = TRUE;
    icon.SetVisible(false);
    EXPECT_FALSE(icon.GetVisible());
    EXPECT_EQ(shell.calls.back().message, static_cast<DWORD>(NIM_DELETE));
}

TEST(CsTrayIconW, DestructionRemovesAnAddedIconOnly)
{
    RecordingShell shell;
    { CsTrayIconW icon(nullptr, 1, kCallback, shell); }
    EXPECT_TRUE(shell.calls.empty());
    {
        CsTrayIconW icon(nullptr, 1, kCallback, shell);
        icon.Add();
    }
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].message, static_cast<DWORD>(NIM_DELETE));
}

TEST(CsTrayIconW, BalloonTextTravelsOnlyWithABalloon)
{
    RecordingShell shell;
    CsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetInfoTitle(L"Title");
    icon.SetBalloonText(L"Hello");
    icon.SetInfoFlags(NIIF_USER);
    icon.Add();
    EXPECT_STREQ(shell.calls.back().data.szInfo, L"");
    EXPECT_STREQ(shell.calls.back().data.szInfoTitle, L"Title");
    icon.Modify(true);
    EXPECT_STREQ(shell.calls.back().data.szInfo, L"Hello");
    EXPECT_EQ(shell.calls.back().data.dwInfoFlags, static_cast<DWORD>(NIIF_USER));
    icon.Modify(false); // takes the balloon down again
    EXPECT_STREQ(shell.calls.back().data.szInfo, L"");
    icon.SetBalloonText(nullptr);
    icon.Modify(true);
    EXPECT_STREQ(shell.calls.back().data.szInfo, L"");
}

TEST(CsTrayIconW, LongTextsAreCutToTheirFields)
{
    RecordingShell shell;
    CsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetTip(std::wstring(500, L't'));
    icon.SetInfoTitle(std::wstring(500, L'h'));
    icon.SetBalloonText(std::wstring(500, L'b').c_str());
    icon.Add();
    icon.Modify(true);
    const NOTIFYICONDATAW& sent = shell.calls.back().data;
    EXPECT_EQ(std::wstring(sent.szTip), std::wstring(127, L't'));
    EXPECT_EQ(std::wstring(sent.szInfoTitle), std::wstring(63, L'h'));
    EXPECT_EQ(std::wstring(sent.szInfo), std::wstring(255, L'b'));

    // A shorter text leaves nothing of the longer one behind.
    icon.SetTip(L"ab");
    EXPECT_EQ(icon.Data().szTip[2], L'\0');
    EXPECT_EQ(icon.Data().szTip[3], L'\0');
}

TEST(CsTrayIconW, OldestRecordKeepsTheTipInsideTheFieldTheShellReads)
{
    RecordingShell shell;
    shell.version = 0;
    CsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetTip(std::wstring(100, L't'));
    EXPECT_EQ(std::wstring(icon.Data().szTip), std::wstring(63, L't'));
}

} // namespace
