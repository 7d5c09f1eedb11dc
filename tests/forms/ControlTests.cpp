#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "forms/CustomControl.h"
#include "forms/Edit.h"
#include "forms/Form.h"
#include "forms/GraphicControl.h"

using namespace forms;
using namespace formtest;

namespace {

// A windowed control that logs what the layer tells it.
class LoggingControl : public TCustomControl {
public:
    LoggingControl(TComponent* owner, std::vector<std::string>& log) : TCustomControl(owner), log_(log)
    {
        OnClick = [this](TObject*) {
            log_.push_back("click");
            captureDuringClick = GetCapture();
        };
        OnDblClick = [this](TObject*) { log_.push_back("dblclick"); };
        OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
            log_.push_back("down " + std::to_string(b) + (s & ssDouble ? " double" : "") + " " + std::to_string(x) +
                           "," + std::to_string(y));
        };
        OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            log_.push_back("up " + std::to_string(b));
        };
    }
    HWND captureDuringClick = reinterpret_cast<HWND>(1);
    COLORREF fill = RGB(0, 0, 255);
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        Canvas().Brush().SetColor(fill);
        Canvas().FillRect(ClientRect());
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == WM_CAPTURECHANGED)
            log_.push_back("capture lost");
        TCustomControl::WndProc(message);
    }

private:
    std::vector<std::string>& log_;
};

// A windowless control that fills itself with one colour and logs mouse events.
class Patch : public TGraphicControl {
public:
    Patch(TComponent* owner, COLORREF colour, std::string name, std::vector<std::string>* log = nullptr)
        : TGraphicControl(owner), colour_(colour), name_(std::move(name)), log_(log)
    {
        OnClick = [this](TObject*) { Log("click"); };
        OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            Log("down " + std::to_string(x) + "," + std::to_string(y));
        };
    }

protected:
    void Paint() override
    {
        Canvas().Brush().SetColor(colour_);
        Canvas().FillRect(TRect{0, 0, Width(), Height()});
    }
    void MouseEnter() override { Log("enter"); }
    void MouseLeave() override { Log("leave"); }

private:
    void Log(const std::string& what)
    {
        if (log_)
            log_->push_back(name_ + " " + what);
    }
    COLORREF colour_;
    std::string name_;
    std::vector<std::string>* log_;
};

}  // namespace

// One shown form serves every test: under Wine without a window manager, hiding a window that was shown
// active costs two seconds. Each test puts its controls on it through an owner of its own.
class ControlTest : public WindowTest {
protected:
    static void SetUpTestSuite()
    {
        host = new TestForm();
        host->SetBounds(60, 60, 300, 200);
        host->Show();
    }
    static void TearDownTestSuite()
    {
        delete host;
        host = nullptr;
    }
    void TearDown() override
    {
        host->SetColor(clBtnFace);
        host->OnClick = nullptr;
        WindowTest::TearDown();
    }
    static TestForm* host;
};

TestForm* ControlTest::host = nullptr;

TEST_F(ControlTest, ClickReleasesTheCaptureFirstThenClickThenMouseUp)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(10, 10, 50, 20);
    const HWND h = button->Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    EXPECT_EQ(GetCapture(), h);
    EXPECT_TRUE(button->MouseCapture());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    const std::vector<std::string> expected{"down 0 5,6", "capture lost", "click", "up 0"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(button->captureDuringClick, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlTest, ReleaseOutsideGivesNoClickAndRightButtonNeverClicks)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(10, 10, 50, 20);
    const HWND h = button->Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(80, 5));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(80, 5));
    SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    SendMessageW(h, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    const std::vector<std::string> expected{"down 0 5,5", "capture lost", "up 0", "down 1 5,5", "up 1"};
    EXPECT_EQ(log, expected);
}

TEST_F(ControlTest, DoubleClickGivesOneClickAndOneDblClick)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(0, 0, 50, 20);
    const HWND h = button->Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    int clicks = 0, doubles = 0;
    for (const auto& entry : log) {
        clicks += entry == "click";
        doubles += entry == "dblclick";
    }
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_NE(std::find(log.begin(), log.end(), "down 0 double 1,1"), log.end());
}

TEST_F(ControlTest, WithoutDoubleClicksTheSecondPressIsAPress)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetControlStyle(button->ControlStyle() & ~csDoubleClicks);
    button->SetParent(&form);
    button->SetBounds(0, 0, 50, 20);
    const HWND h = button->Handle();
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(std::count(log.begin(), log.end(), "click"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "dblclick"), 0);
}

TEST_F(ControlTest, WindowlessChildrenGetTheMouseInZOrder)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* back = new Patch(&scope, RGB(255, 0, 0), "back", &log);
    auto* front = new Patch(&scope, RGB(0, 255, 0), "front", &log);
    back->SetParent(&form);
    front->SetParent(&form);
    back->SetBounds(0, 0, 40, 40);
    front->SetBounds(20, 20, 40, 40);
    const HWND h = form.Handle();

    Click(h, 30, 30);
    Click(h, 5, 5);
    back->BringToFront();
    Click(h, 30, 30);
    front->Hide();
    Click(h, 50, 50);  // nothing there any more: the form itself
    const std::vector<std::string> expected{"front down 10,10", "front click", "back down 5,5", "back click",
                                            "back down 30,30", "back click"};
    EXPECT_EQ(log, expected);
}

TEST_F(ControlTest, DisabledWindowlessChildIsSkippedForTheMouse)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* back = new Patch(&scope, RGB(255, 0, 0), "back", &log);
    auto* front = new Patch(&scope, RGB(0, 255, 0), "front", &log);
    back->SetParent(&form);
    front->SetParent(&form);
    back->SetBounds(0, 0, 40, 40);
    front->SetBounds(0, 0, 40, 40);
    front->SetEnabled(false);
    Click(form.Handle(), 3, 4);
    const std::vector<std::string> expected{"back down 3,4", "back click"};
    EXPECT_EQ(log, expected);
}

TEST_F(ControlTest, WindowlessChildKeepsTheMouseWhileCapturedAndLosesTheClickWithTheCapture)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* patch = new Patch(&scope, RGB(255, 0, 0), "patch", &log);
    patch->SetParent(&form);
    patch->SetBounds(10, 10, 20, 20);
    const HWND h = form.Handle();

    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 15));
    EXPECT_EQ(GetCapture(), h);
    EXPECT_TRUE(patch->MouseCapture());
    // A move outside the child still goes to it, in its coordinates.
    std::vector<std::string> moves;
    patch->OnMouseMove = [&](TObject*, TShiftState, int x, int y) {
        moves.push_back(std::to_string(x) + "," + std::to_string(y));
    };
    SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 90));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], "90,80");
    // Someone takes the capture away (the caption drag does): the release is no click.
    ReleaseCapture();
    EXPECT_FALSE(patch->MouseCapture());
    SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(15, 15));
    EXPECT_EQ(std::count(log.begin(), log.end(), "patch click"), 0);
}

TEST_F(ControlTest, WindowlessChildrenAreToldWhenThePointerEntersAndLeaves)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* a = new Patch(&scope, RGB(255, 0, 0), "a", &log);
    auto* b = new Patch(&scope, RGB(0, 255, 0), "b", &log);
    a->SetParent(&form);
    b->SetParent(&form);
    a->SetBounds(0, 0, 10, 10);
    b->SetBounds(20, 0, 10, 10);
    const HWND h = form.Handle();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(25, 5));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(25, 5));
    SendMessageW(h, WM_MOUSELEAVE, 0, 0);
    const std::vector<std::string> expected{"a enter", "a leave", "b enter", "b leave", "b enter", "b leave"};
    EXPECT_EQ(log, expected);
}

TEST_F(ControlTest, ParentPaintsWindowlessChildrenInZOrderOverItsColour)
{
    TComponent scope(nullptr);
    TestForm& form = *host;
    form.SetColor(RGB(10, 20, 30));
    auto* back = new Patch(&scope, RGB(255, 0, 0), "back");
    auto* front = new Patch(&scope, RGB(0, 255, 0), "front");
    back->SetParent(&form);
    front->SetParent(&form);
    back->SetBounds(0, 0, 40, 40);
    front->SetBounds(20, 20, 40, 40);
    auto* hidden = new Patch(&scope, RGB(0, 0, 255), "hidden");
    hidden->SetParent(&form);
    hidden->SetBounds(0, 0, 300, 200);
    hidden->Hide();
    form.Update();

    const Snapshot shot(form.Handle());
    EXPECT_EQ(shot.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(shot.At(30, 30), RGB(0, 255, 0));
    EXPECT_EQ(shot.At(55, 55), RGB(0, 255, 0));
    EXPECT_EQ(shot.At(80, 10), RGB(10, 20, 30));
    // A child paints only inside its own bounds.
    EXPECT_EQ(shot.At(45, 5), RGB(10, 20, 30));
}

TEST_F(ControlTest, WindowlessChildReadsBackWhatIsBeneathIt)
{
    // A child that copies the parent's drawing under it, shifted, proves that its canvas reads the buffer.
    class Mirror : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;
        COLORREF seen = CLR_INVALID;

    protected:
        void Paint() override { seen = Canvas().Pixel(1, 1); }
    };
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* patch = new Patch(&scope, RGB(1, 2, 250), "patch");
    patch->SetParent(&form);
    patch->SetBounds(30, 30, 20, 20);
    auto* mirror = new Mirror(&scope);
    mirror->SetParent(&form);
    mirror->SetBounds(35, 35, 10, 10);
    form.Update();
    EXPECT_EQ(mirror->seen, RGB(1, 2, 250));
}

TEST_F(ControlTest, DrawingAtOnceReachesTheWindowOutsidePainting)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(0, 0, 30, 30);
    form.Update();
    button->fill = RGB(200, 100, 0);
    button->Canvas().Brush().SetColor(button->fill);
    button->Canvas().FillRect(TRect{0, 0, 30, 30});
    const Snapshot shot(button->Handle());
    EXPECT_EQ(shot.At(10, 10), RGB(200, 100, 0));
}

TEST_F(ControlTest, BoundsFollowMovesMadeOutsideTheLayer)
{
    std::vector<std::string> log;
    TestForm form;  // not shown: moves and sizes work the same on hidden windows
    form.SetBounds(100, 120, 200, 100);
    SetWindowPos(form.Handle(), nullptr, 150, 170, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(form.Left(), 150);
    EXPECT_EQ(form.Top(), 170);
    EXPECT_EQ(form.Width(), 200);
    int resized = 0;
    form.OnResize = [&](TObject*) { ++resized; };
    MoveWindow(form.Handle(), 150, 170, 220, 90, TRUE);
    EXPECT_EQ(form.Width(), 220);
    EXPECT_EQ(form.Height(), 90);
    EXPECT_EQ(resized, 1);

    auto* child = new LoggingControl(&form, log);
    child->SetParent(&form);
    child->SetBounds(5, 6, 10, 10);
    MoveWindow(child->Handle(), 7, 8, 10, 10, TRUE);
    EXPECT_EQ(child->Left(), 7);  // child positions are in the parent's client coordinates
    EXPECT_EQ(child->Top(), 8);
}

TEST_F(ControlTest, AutoSizeAsksCanAutoSize)
{
    class Sized : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;
        int asked = 0;

    protected:
        bool CanAutoSize(int& w, int& h) override
        {
            ++asked;
            if (w == 24 && h == 12)
                return false;
            w = 24;
            h = 12;
            return true;
        }
    };
    TestForm form;
    auto* control = new Sized(&form);
    control->SetBounds(3, 4, 100, 100);
    control->SetAutoSize(true);
    EXPECT_EQ(control->asked, 1);
    EXPECT_EQ(control->BoundsRect(), (TRect{3, 4, 27, 16}));
    control->SetAutoSize(true);  // no change, no question
    EXPECT_EQ(control->asked, 1);
}

TEST_F(ControlTest, ReplacedWindowProcSeesEveryMessageAndCanAnswer)
{
    TestForm form;
    TWndMethod saved = form.WindowProc;
    std::vector<UINT> seen;
    form.WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_ERASEBKGND) {
            m.Result = 1;
            return;
        }
        if (m.Msg == WM_APP + 7) {
            m.Result = 42;
            return;
        }
        saved(m);
    };
    EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 7, 0, 0), 42);
    EXPECT_EQ(SendMessageW(form.Handle(), WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(form.Perform(WM_APP + 7), 42);
    EXPECT_GE(seen.size(), 3u);
    form.WindowProc = saved;
    EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 7, 0, 0), 0);
}

TEST_F(ControlTest, ExceptionInAHandlerIsReportedAndTheProgramGoesOn)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(0, 0, 30, 30);
    button->OnClick = [](TObject*) { throw EConvertError(L"'' is not a valid integer value"); };
    Click(button->Handle(), 2, 2);
    ASSERT_EQ(reportedErrors.size(), 1u);
    EXPECT_EQ(reportedErrors[0], L"'' is not a valid integer value");
    // The program goes on: the next click is handled as usual.
    button->OnClick = [&](TObject*) { log.push_back("second click"); };
    Click(button->Handle(), 2, 2);
    EXPECT_EQ(log.back(), "up 0");
    EXPECT_NE(std::find(log.begin(), log.end(), "second click"), log.end());
}

TEST_F(ControlTest, APaintThatThrowsStillEndsItsPaintCycle)
{
    class Failing : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void Paint() override { throw EConvertError(L"paint failed"); }
    };
    TComponent scope(nullptr);
    auto* control = new Failing(&scope);
    control->SetParent(host);
    control->SetBounds(0, 0, 30, 30);
    control->Update();
    reportedErrors.clear();
    const int before = CountDeviceContexts();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 30; ++i) {
        control->Invalidate();
        control->Update();
    }
    EXPECT_EQ(reportedErrors.size(), 30u);
    // Each cycle gave its DC back.
    EXPECT_LE(CountDeviceContexts(), before + 2);
}

TEST_F(ControlTest, ControlsReleasedInsideTheirOwnClickGoAfterIt)
{
    // A windowed and a windowless control each release themselves from their own click (flows rebuild
    // controls from a click): hidden at once, freed once no message of theirs is being handled.
    std::vector<std::string> log;
    auto* scope = new TComponent(nullptr);
    auto* windowed = new LoggingControl(scope, log);
    windowed->SetParent(host);
    windowed->SetBounds(0, 0, 30, 30);
    auto* windowless = new Patch(scope, RGB(1, 2, 3), "patch");
    windowless->SetParent(host);
    windowless->SetBounds(100, 100, 30, 30);
    const TLiveness windowedAlive = windowed->Liveness();
    const TLiveness windowlessAlive = windowless->Liveness();
    for (TControl* control : std::initializer_list<TControl*>{windowed, windowless})
        control->OnClick = [control](TObject*) {
            control->Release();
            Application().ProcessMessages();  // a nested loop inside its own message must not free it
            control->SetTag(7);
        };
    const HWND window = windowed->Handle();
    Click(window, 2, 2);
    ASSERT_TRUE(windowedAlive);
    EXPECT_FALSE(windowed->Visible());
    EXPECT_TRUE(PumpUntil([&] { return !windowedAlive; }));
    EXPECT_FALSE(IsWindow(window));
    Click(host->Handle(), 110, 110);
    ASSERT_TRUE(windowlessAlive);
    EXPECT_FALSE(windowless->Visible());
    EXPECT_TRUE(PumpUntil([&] { return !windowlessAlive; }));
    EXPECT_EQ(host->ControlCount(), 0);

    // One freed by its owner before the release came due is simply gone.
    auto* orphan = new Patch(scope, RGB(1, 2, 3), "orphan");
    orphan->Release();
    delete scope;
    Application().ProcessMessages();
}

TEST_F(ControlTest, UnhandledExceptionShowsTheApplicationBox)
{
    Application().OnException = nullptr;
    TestForm form;
    form.OnClick = [](TObject*) { throw EConvertError(L"'x' is not a valid integer value"); };
    Click(form.Handle(), 2, 2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"'x' is not a valid integer value.");
    EXPECT_EQ(boxes[0].caption, Application().Title());
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

TEST_F(ControlTest, ShownHintsBecomeTooltips)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    TestForm& form = *host;
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(&form);
    button->SetBounds(0, 0, 30, 30);
    button->SetHint(L"Volume up");
    EXPECT_EQ(TooltipText(button->Handle()), L"");
    button->SetShowHint(true);
    EXPECT_EQ(TooltipText(button->Handle()), L"Volume up");
    button->SetHint(L"Mute");
    EXPECT_EQ(TooltipText(button->Handle()), L"Mute");
    button->SetShowHint(false);
    EXPECT_EQ(TooltipText(button->Handle()), L"");
}

BOOL CALLBACK FindShownTooltip(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != TOOLTIPS_CLASSW || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

TEST_F(ControlTest, AShownHintPopsUpWhileThePointerRestsOnItsControl)
{
    std::vector<std::string> log;
    TComponent scope(nullptr);
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(host);
    button->SetBounds(20, 20, 60, 30);
    button->SetHint(L"Volume up");
    button->SetShowHint(true);
    POINT inside{30, 15};
    ClientToScreen(button->Handle(), &inside);
    SetCursorPos(inside.x, inside.y);
    SendMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 15));
    HWND tip = nullptr;
    for (int i = 0; i < 300 && !tip; ++i) {
        Application().ProcessMessages();
        EnumThreadWindows(GetCurrentThreadId(), FindShownTooltip, reinterpret_cast<LPARAM>(&tip));
        Sleep(10);
    }
    SetCursorPos(0, 0);
    ASSERT_NE(tip, nullptr) << "the tooltip never showed";
    wchar_t text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.lpszText = text;
    EXPECT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(reinterpret_cast<HWND>(info.uId), button->Handle());
    EXPECT_EQ(std::wstring(text), L"Volume up");
}

TEST_F(ControlTest, ChildWindowIsMadeWhenItsParentHasOne)
{
    std::vector<std::string> log;
    TForm form(nullptr);  // no window yet
    auto* shown = new LoggingControl(&form, log);
    auto* hidden = new LoggingControl(&form, log);
    hidden->Hide();
    shown->SetParent(&form);
    hidden->SetParent(&form);
    EXPECT_FALSE(shown->HandleAllocated());
    form.HandleNeeded();
    EXPECT_TRUE(shown->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_EQ(GetParent(shown->Handle()), form.Handle());
    hidden->Show();
    EXPECT_TRUE(hidden->HandleAllocated());
    EXPECT_TRUE(GetWindowLongPtrW(hidden->Handle(), GWL_STYLE) & WS_VISIBLE);
    // Freeing a child takes its window along; freeing the form frees what it still holds.
    const HWND window = shown->Handle();
    delete shown;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(form.ControlCount(), 1);
}

TEST_F(ControlTest, TabMovesTheFocusByTabOrderAndTypesNothing)
{
    TComponent scope(nullptr);
    auto* first = new TEdit(&scope);
    auto* second = new TEdit(&scope);
    auto* skipped = new TEdit(&scope);
    for (TEdit* edit : {first, second, skipped})
        edit->SetParent(host);
    first->SetTabOrder(1);
    second->SetTabOrder(0);
    skipped->SetTabStop(false);
    second->SetFocus();
    ASSERT_TRUE(second->Focused());
    PostMessageW(second->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application().ProcessMessages();
    EXPECT_TRUE(first->Focused());
    PostMessageW(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    Application().ProcessMessages();
    EXPECT_TRUE(second->Focused());  // wraps around, past the control that is no tab stop
    EXPECT_EQ(first->Text(), L"");
    EXPECT_EQ(second->Text(), L"");
}

TEST_F(ControlTest, MovingAWindowedControlToAnotherParentKeepsItsWindow)
{
    TComponent scope(nullptr);
    std::vector<std::string> log;
    auto* panel = new LoggingControl(&scope, log);
    panel->SetParent(host);
    panel->SetBounds(100, 100, 80, 80);
    auto* button = new LoggingControl(&scope, log);
    button->SetParent(host);
    const HWND window = button->Handle();
    button->SetParent(panel);
    EXPECT_EQ(button->Handle(), window);
    EXPECT_EQ(GetParent(window), panel->Handle());
    EXPECT_EQ(host->ControlCount(), 1);
    EXPECT_EQ(panel->Controls(0), button);
    button->SetParent(nullptr);  // without a parent there is no place for a child window
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(button->HandleAllocated());
}
