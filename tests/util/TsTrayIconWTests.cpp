#include "gui/controls/TsTrayIconW.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Menus.h"

namespace {

constexpr UINT kCallback = WM_USER + 90;

class RecordingShell final : public TrayShell {
public:
    std::vector<std::pair<DWORD, NOTIFYICONDATAW>> calls;
    BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override
    {
        calls.emplace_back(message, data);
        return TRUE;
    }
    std::uint64_t ShellVersion() override { return MakeDllVersion(6, 1); }
};

// Counts the virtual reactions instead of touching the application.
class CountingTrayIcon final : public TsTrayIconW {
public:
    using TsTrayIconW::TsTrayIconW;
    int restores = 0;
    std::vector<POINT> popups;
    void Restore() override { ++restores; }
    void PopupAt(int x, int y) override { popups.push_back({x, y}); }
};

class RecordingMenu final : public forms::TPopupMenu {
public:
    using forms::TPopupMenu::TPopupMenu;
    std::vector<POINT> shown;
    // OnPopup stands for what the menu loop runs.
    void Popup(int x, int y) override
    {
        shown.push_back({x, y});
        if (OnPopup)
            OnPopup(this);
    }
};

class TrayIconTest : public ::testing::Test {
protected:
    LRESULT Notify(TsTrayIconW& icon, UINT code)
    {
        return SendMessageW(icon.WindowHandle(), kCallback, 1, static_cast<LPARAM>(code));
    }

    RecordingShell shell;
    std::vector<std::wstring> events;
};

TEST_F(TrayIconTest, StartsHiddenWithACopyOfTheApplicationsIcon)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    EXPECT_TRUE(IsWindow(icon.WindowHandle()));
    EXPECT_FALSE(icon.GetVisible());
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(icon.GetRestoreTrigger(), TsTrayIconW::tkNone);
    EXPECT_EQ(icon.GetPopupTrigger(), TsTrayIconW::tkNone);
    ASSERT_NE(icon.Icon().Handle(), nullptr);
    EXPECT_NE(icon.Icon().Handle(), forms::Application().Icon().Handle()); // a copy of its own
    EXPECT_EQ(icon.IconData().Data().hIcon, icon.Icon().Handle());
    EXPECT_EQ(icon.IconData().Data().hWnd, icon.WindowHandle());
    EXPECT_EQ(icon.IconData().Data().uCallbackMessage, kCallback);
}

TEST_F(TrayIconTest, ShownOnceWithTheTipSetBefore)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetTip(L"Tastro");
    EXPECT_TRUE(shell.calls.empty());
    icon.SetVisible(true);
    icon.SetVisible(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].first, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(shell.calls[0].second.uFlags, 0x17u);
    EXPECT_STREQ(shell.calls[0].second.szTip, L"Tastro");

    icon.SetTip(L"Other"); // sent at once now
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].first, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_STREQ(shell.calls[1].second.szTip, L"Other");
}

TEST_F(TrayIconTest, BalloonSettingsGoOutWithShowBalloon)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetVisible(true);
    icon.SetBalloonTitle(L"Title");
    icon.SetBalloonText(L"Text");
    icon.SetBalloonIcon(TsTrayIconW::biUser);
    EXPECT_EQ(shell.calls.size(), 1u); // stored only
    icon.ShowBalloon();
    EXPECT_STREQ(shell.calls.back().second.szInfo, L"Text");
    EXPECT_STREQ(shell.calls.back().second.szInfoTitle, L"Title");
    EXPECT_EQ(shell.calls.back().second.dwInfoFlags, static_cast<DWORD>(NIIF_USER));
    icon.HideBalloon();
    EXPECT_STREQ(shell.calls.back().second.szInfo, L"");
    icon.SetBalloonIcon(7); // unknown kinds show no icon
    icon.ShowBalloon();
    EXPECT_EQ(shell.calls.back().second.dwInfoFlags, static_cast<DWORD>(NIIF_NONE));
}

TEST_F(TrayIconTest, ANewPictureIsSentToTheShell)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.SetVisible(true);
    forms::TIcon other;
    other.SetHandle(LoadIconW(nullptr, IDI_WARNING));
    icon.Icon().Assign(&other);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[1].first, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(shell.calls[1].second.hIcon, icon.Icon().Handle());
}

TEST_F(TrayIconTest, DestructionTakesTheIconAwayAndTheWindowWithIt)
{
    HWND window = nullptr;
    {
        TsTrayIconW icon(nullptr, 1, kCallback, shell);
        window = icon.WindowHandle();
        icon.SetVisible(true);
    }
    EXPECT_EQ(shell.calls.back().first, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(TrayIconTest, ClicksBecomeEventsInOrder)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    // The shift state names the button too.
    auto name = [](forms::TMouseButton b, forms::TShiftState s) {
        const bool left = b == forms::mbLeft;
        return std::wstring(left ? L"left" : L"right") + (s == (left ? forms::ssLeft : forms::ssRight) ? L"" : L"?");
    };
    icon.OnMouseDown = [&](forms::TMouseButton b, forms::TShiftState s, int, int) {
        events.push_back(L"down " + name(b, s));
    };
    icon.OnMouseUp = [&](forms::TMouseButton b, forms::TShiftState s, int, int) {
        events.push_back(L"up " + name(b, s));
    };
    icon.OnClick = [&] { events.push_back(L"click"); };
    icon.OnDblClick = [&] { events.push_back(L"dblclick"); };

    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_LBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"down left", L"up left", L"click"}));
    events.clear();
    Notify(icon, WM_RBUTTONDOWN);
    Notify(icon, WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"down right", L"up right"}));
    events.clear();
    Notify(icon, WM_LBUTTONDBLCLK);
    Notify(icon, WM_RBUTTONDBLCLK);
    Notify(icon, WM_MBUTTONDOWN);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"dblclick"}));

    // Unset events are skipped.
    TsTrayIconW bare(nullptr, 2, kCallback, shell);
    Notify(bare, WM_LBUTTONUP);
}

TEST_F(TrayIconTest, MouseEventsCarryTheCursorPosition)
{
    ASSERT_TRUE(SetCursorPos(123, 234));
    POINT cursor{};
    GetCursorPos(&cursor);
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    POINT down{}, move{};
    forms::TShiftState moveShift = 99;
    icon.OnMouseDown = [&](forms::TMouseButton, forms::TShiftState, int x, int y) { down = {x, y}; };
    icon.OnMouseMove = [&](forms::TShiftState s, int x, int y) { move = {x, y}; moveShift = s; };
    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_MOUSEMOVE);
    EXPECT_EQ(down.x, cursor.x);
    EXPECT_EQ(down.y, cursor.y);
    EXPECT_EQ(move.x, cursor.x);
    EXPECT_EQ(move.y, cursor.y);
    EXPECT_EQ(moveShift, 0u);
}

TEST_F(TrayIconTest, TriggersCallRestoreAndPopup)
{
    CountingTrayIcon icon(nullptr, 1, kCallback, shell);
    for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK})
        Notify(icon, code);
    EXPECT_EQ(icon.restores, 0);
    EXPECT_TRUE(icon.popups.empty());

    icon.SetRestoreTrigger(TsTrayIconW::tkDoubleClick);
    Notify(icon, WM_RBUTTONDBLCLK);
    EXPECT_EQ(icon.restores, 1);
    icon.SetPopupTrigger(TsTrayIconW::tkRightUp);
    Notify(icon, WM_RBUTTONUP);
    ASSERT_EQ(icon.popups.size(), 1u);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(icon.popups[0].x, cursor.x);
    EXPECT_EQ(icon.popups[0].y, cursor.y);
}

TEST(TsTrayIconWTriggers, EachKindMatchesItsNotifications)
{
    const UINT codes[] = {WM_MOUSEMOVE,   WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                          WM_RBUTTONUP,   WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP,   NIN_BALLOONUSERCLICK};
    const std::vector<UINT> expected[] = {
        {WM_LBUTTONDOWN},
        {WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK},
        {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN},
        {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP},
        {WM_LBUTTONUP},
        {WM_LBUTTONDBLCLK},
        {WM_RBUTTONUP},
        {WM_RBUTTONDBLCLK},
        {},
        {},
    };
    for (int kind = 0; kind <= 9; ++kind) {
        std::vector<UINT> matched;
        for (UINT code : codes)
            if (TsTrayIconW::MatchesTrigger(kind, code))
                matched.push_back(code);
        EXPECT_EQ(matched, expected[kind]) << "kind " << kind;
    }
    EXPECT_FALSE(TsTrayIconW::MatchesTrigger(-1, WM_LBUTTONDOWN));
}

TEST_F(TrayIconTest, BalloonNotificationsReachOnBalloon)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    std::vector<UINT> codes;
    icon.OnBalloon = [&](UINT code) { codes.push_back(code); };
    for (UINT code = NIN_BALLOONSHOW - 1; code <= NIN_BALLOONUSERCLICK + 1; ++code)
        Notify(icon, code);
    EXPECT_EQ(codes, (std::vector<UINT>{0x402, 0x403, 0x404, 0x405}));
}

TEST_F(TrayIconTest, TheWindowNeverHoldsUpAShutdownAndAnswersNothingElse)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    EXPECT_EQ(SendMessageW(icon.WindowHandle(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(SendMessageW(icon.WindowHandle(), WM_USER + 1, 0, 0), 0);
    EXPECT_EQ(Notify(icon, WM_LBUTTONUP), 0);
}

TEST_F(TrayIconTest, AnEventThatThrowsIsReportedNotPropagated)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    std::wstring reported;
    auto previous = forms::Application().OnException;
    forms::Application().OnException = [&](forms::TObject*, std::exception_ptr error) {
        reported = forms::ExceptionText(error);
    };
    icon.OnClick = [] { throw std::runtime_error("tray click failed"); };
    Notify(icon, WM_LBUTTONUP);
    forms::Application().OnException = previous;
    EXPECT_EQ(reported, L"tray click failed");
}

TEST_F(TrayIconTest, AHandlerThatFreesTheIconEndsTheNotification)
{
    // The tray control rebuilds or drops its icon from these handlers; nothing of the freed icon may be
    // touched afterwards (the later events of the same notification are not run).
    enum class Where { Restore, MouseUp, Popup };
    for (Where where : {Where::Restore, Where::MouseUp, Where::Popup}) {
        SCOPED_TRACE(static_cast<int>(where));
        auto* icon = new TsTrayIconW(nullptr, 1, kCallback, shell);
        RecordingMenu menu(nullptr);
        menu.OnPopup = [&](forms::TObject*) { delete icon; };
        icon->SetPopupMenu(&menu);
        int later = 0;
        icon->OnClick = [&] { ++later; };
        if (where == Where::Restore) {
            icon->SetRestoreTrigger(TsTrayIconW::tkLeftUp);
            icon->OnRestore = [&](forms::TObject*) { delete icon; };
        } else if (where == Where::MouseUp) {
            icon->OnMouseUp = [&](forms::TMouseButton, forms::TShiftState, int, int) { delete icon; };
        } else {
            icon->SetPopupTrigger(TsTrayIconW::tkLeftUp);
        }
        const HWND window = icon->WindowHandle();
        SendMessageW(window, kCallback, 1, WM_LBUTTONUP);
        EXPECT_EQ(later, 0);
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST_F(TrayIconTest, PopupNeedsAMenu)
{
    TsTrayIconW icon(nullptr, 1, kCallback, shell);
    icon.PopupAt(10, 20); // no menu: nothing happens
    RecordingMenu menu(nullptr);
    icon.SetPopupMenu(&menu);
    icon.SetPopupTrigger(TsTrayIconW::tkRightUp);
    Notify(icon, WM_RBUTTONUP);
    ASSERT_EQ(menu.shown.size(), 1u);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(menu.shown[0].x, cursor.x);
    EXPECT_EQ(menu.shown[0].y, cursor.y);
    // A menu freed by its owner is not shown any more.
    {
        RecordingMenu gone(nullptr);
        icon.SetPopupMenu(&gone);
    }
    EXPECT_EQ(icon.GetPopupMenu(), nullptr);
    Notify(icon, WM_RBUTTONUP);
}

// The real notification area of the test display.
TEST(TsTrayIconWShell, AddsAndRemovesTheIcon)
{
    TsTrayIconW icon(nullptr, 77, kCallback);
    icon.SetTip(L"Tastro tests");
    icon.SetVisible(true);
    EXPECT_TRUE(icon.GetVisible());
    icon.SetVisible(false);
    EXPECT_FALSE(icon.GetVisible());
}

} // namespace
