#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "forms/AllocateHWnd.h"
#include "forms/CustomControl.h"
#include "forms/Form.h"
#include "forms/Menus.h"
#include "forms/Messages.h"
#include "forms/Timer.h"

using namespace forms;
using namespace formtest;

namespace {

// A plain popup window of the test's own, shown without activation (cheap to destroy under Wine).
HWND MakeBystander()
{
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FormsTestBystander";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    const HWND window = CreateWindowExW(0, L"FormsTestBystander", L"", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNA);
    return window;
}

class Focusable : public TCustomControl {
public:
    Focusable(TComponent* owner, std::vector<std::string>& log, std::string name) : TCustomControl(owner)
    {
        OnEnter = [&log, name](TObject*) { log.push_back(name + " enter"); };
        OnExit = [&log, name](TObject*) { log.push_back(name + " exit"); };
    }
};

}  // namespace

class FormTest : public WindowTest {};

TEST_F(FormTest, ShowModalRunsUntilATimerSetsTheModalResult)
{
    TestForm* main = nullptr;
    Application().CreateForm(main);
    ASSERT_EQ(Application().MainForm(), main);
    main->SetBounds(100, 100, 400, 300);

    TestForm dialog;  // made after the main form: owned by its window
    EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), main->Handle());
    EXPECT_EQ(GetWindowLongPtrW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    dialog.SetBounds(0, 0, 200, 100);
    dialog.SetPosition(poMainFormCenter);

    const HWND bystander = MakeBystander();
    const HWND doomed = MakeBystander();
    bool shownBeforeVisible = false;
    dialog.OnShow = [&](TObject*) { shownBeforeVisible = !IsWindowVisible(dialog.Handle()); };
    bool disabledMeanwhile = false;
    TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        disabledMeanwhile = !IsWindowEnabled(bystander) && IsWindowEnabled(dialog.Handle());
        DestroyWindow(doomed);
        dialog.SetModalResult(mrOk);
    };
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(shownBeforeVisible);
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(bystander));
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_FALSE(dialog.Modal());
    // Centred on the main form at the show.
    EXPECT_EQ(dialog.Left(), 200);
    EXPECT_EQ(dialog.Top(), 200);

    DestroyWindow(bystander);
    delete main;
    EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST_F(FormTest, AFormMadeWhileTheMainFormIsBuiltIsOwnedByIt)
{
    class Main : public TForm {
    public:
        explicit Main(TComponent* owner) : TForm(owner)
        {
            SetBorderStyle(bsNone);
            DoCreate();
            popup = new TestForm(this);  // the application has no main form yet
        }
        TestForm* popup = nullptr;
    };
    Main* main = nullptr;
    Application().CreateForm(main);
    EXPECT_EQ(GetWindow(main->popup->Handle(), GW_OWNER), main->Handle());
    delete main;
}

TEST_F(FormTest, CloseEndsAModalRunWithCancelUnlessOnCloseRefuses)
{
    TestForm dialog;
    dialog.SetPosition(poScreenCenter);
    int closeAsked = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        ++closeAsked;
        if (closeAsked == 1)
            action = caNone;  // the first attempt is refused: the run goes on
    };
    TTimer timer(nullptr);
    timer.SetInterval(30);
    timer.OnTimer = [&](TObject*) {
        if (closeAsked >= 2)
            timer.SetEnabled(false);
        else
            dialog.Close();
    };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(closeAsked, 2);
    EXPECT_EQ(dialog.Left(), (GetSystemMetrics(SM_CXSCREEN) - dialog.Width()) / 2);
    EXPECT_THROW(
        {
            dialog.Show();
            dialog.ShowModal();
        },
        EInvalidOperation);
    dialog.Hide();
}

TEST_F(FormTest, CloseOfAnOrdinaryFormRunsOnCloseAndActsOnIt)
{
    TestForm form;
    TCloseAction answer = caHide;
    int hidden = 0;
    form.OnHide = [&](TObject*) { ++hidden; };
    form.OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);
        action = answer;
    };
    answer = caNone;
    form.Close();
    EXPECT_EQ(hidden, 0);
    // A hidden form's close runs the same path; Visible follows.
    answer = caHide;
    form.Close();
    EXPECT_FALSE(form.Visible());
    // WM_CLOSE from the system goes the same way and never destroys the window.
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.Handle()));
}

TEST_F(FormTest, ReleaseInsideItsOwnClickFreesTheFormAfterTheClick)
{
    bool destroyed = false;
    auto* form = new TestForm();
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    const HWND window = form->Handle();
    form->OnClick = [&](TObject*) {
        form->Release();
        // A nested loop inside the form's own message must not free it.
        Application().ProcessMessages();
        EXPECT_FALSE(destroyed);
        form->SetTag(7);  // still alive
    };
    Click(window, 3, 3);
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormTest, AModalFormFreedOrReleasedMeanwhileEndsItsRun)
{
    // Freed by a timer, released by a timer, released from its own click: each run ends with mrCancel, the
    // other windows are enabled again, and a released form goes once its run and its messages are over.
    enum class End { Delete, Release, ReleaseInClick };
    for (End end : {End::Delete, End::Release, End::ReleaseInClick}) {
        SCOPED_TRACE(static_cast<int>(end));
        auto* dialog = new TestForm();
        bool destroyed = false;
        int closeAsked = 0;
        dialog->OnDestroy = [&](TObject*) { destroyed = true; };
        dialog->OnClose = [&](TObject*, TCloseAction& action) {
            ++closeAsked;
            action = caNone;  // would keep an ordinary run going
        };
        dialog->OnClick = [&](TObject*) { dialog->Release(); };
        const HWND bystander = MakeBystander();
        TTimer timer(nullptr);
        timer.SetInterval(30);
        timer.OnTimer = [&](TObject*) {
            timer.SetEnabled(false);
            if (end == End::Delete)
                delete dialog;
            else if (end == End::Release)
                dialog->Release();
            else
                Click(dialog->Handle(), 3, 3);
        };
        EXPECT_EQ(dialog->ShowModal(), mrCancel);
        EXPECT_TRUE(IsWindowEnabled(bystander));
        EXPECT_EQ(closeAsked, 0);
        EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
        DestroyWindow(bystander);
    }
}

TEST_F(FormTest, FreeingAControlInsideItsOwnMessageStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetMessageBoxHandler([](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; });
            auto* form = new TestForm();
            form->OnClick = [form](TObject*) { delete form; };
            Click(form->Handle(), 2, 2);
        },
        ::testing::ExitedWithCode(3), "notFreedInsideItsOwnMessage");
}

TEST_F(FormTest, WindowClassAndCaptionAreThereDuringOnCreate)
{
    class MainLike : public TForm {
    public:
        explicit MainLike(TComponent* owner) : TForm(owner, L"TfmTestClassName")
        {
            SetBorderStyle(bsNone);
            SetCaption(L"Tastro test");
            OnCreate = [this](TObject*) { found = FindWindowW(L"TfmTestClassName", L"Tastro test"); };
            DoCreate();
        }
        HWND found = nullptr;
    };
    MainLike form(nullptr);
    EXPECT_NE(form.found, nullptr);
    EXPECT_EQ(form.found, form.Handle());
    EXPECT_EQ(form.WindowClassName(), L"TfmTestClassName");
    EXPECT_THROW(form.SetWindowClassName(L"Other"), EInvalidOperation);
    EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_NE(GetClassLongPtrW(form.Handle(), GCL_STYLE) & CS_DBLCLKS, 0);
}

TEST_F(FormTest, AnExceptionInOnCreateIsReportedAndConstructionGoesOn)
{
    class Failing : public TForm {
    public:
        explicit Failing(TComponent* owner) : TForm(owner)
        {
            OnCreate = [](TObject*) { throw EFOpenError(L"ap.ico", ERROR_FILE_NOT_FOUND); };
            DoCreate();
            finished = true;
        }
        bool finished = false;
    };
    Failing form(nullptr);
    EXPECT_TRUE(form.finished);
    ASSERT_EQ(reportedErrors.size(), 1u);
    EXPECT_EQ(reportedErrors[0].rfind(L"Cannot open file \"ap.ico\".", 0), 0u);
}

TEST_F(FormTest, CreateParamsOverrideMakesAnOwnedPopupToolWindow)
{
    class Overlay : public TForm {
    public:
        Overlay(TComponent* owner, HWND parentWindow) : TForm(owner), parentWindow_(parentWindow)
        {
            SetBorderStyle(bsNone);
            DoCreate();
        }

    protected:
        void CreateParams(TCreateParams& params) override
        {
            TForm::CreateParams(params);
            params.Style |= 0xC6000000;
            params.ExStyle |= WS_EX_TOOLWINDOW;
            params.WndParent = parentWindow_;
        }

    private:
        HWND parentWindow_;
    };
    TestForm main;
    Overlay overlay(nullptr, main.Handle());
    const HWND h = overlay.Handle();
    EXPECT_EQ(GetWindow(h, GW_OWNER), main.Handle());
    EXPECT_NE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    // Positions stay screen positions (an owned popup, not a child).
    SetWindowPos(h, nullptr, 321, 123, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(overlay.Left(), 321);
    EXPECT_EQ(overlay.Top(), 123);
}

TEST_F(FormTest, FocusEventsDisablingAndFocusRequestedBeforeTheFormShows)
{
    std::vector<std::string> log;
    TestForm form;
    auto* first = new Focusable(&form, log, "first");
    auto* second = new Focusable(&form, log, "second");
    first->SetParent(&form);
    second->SetParent(&form);
    first->SetBounds(0, 0, 20, 20);
    second->SetBounds(30, 0, 20, 20);

    // Asked while the form is hidden: remembered, nothing happens yet.
    second->SetFocus();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(form.ActiveControl(), second);
    form.Show();
    EXPECT_TRUE(second->Focused());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "second enter");

    log.clear();
    first->SetFocus();
    const std::vector<std::string> moved{"second exit", "first enter"};
    EXPECT_EQ(log, moved);
    EXPECT_EQ(form.ActiveControl(), first);

    // Disabling the focused control takes the focus away before SetEnabled returns.
    log.clear();
    first->SetEnabled(false);
    const std::vector<std::string> left{"first exit"};
    EXPECT_EQ(log, left);
    EXPECT_FALSE(first->Focused());
    EXPECT_FALSE(IsWindowEnabled(first->Handle()));

    // So does hiding it; a freed active control is forgotten.
    second->SetFocus();
    log.clear();
    second->Hide();
    EXPECT_EQ(log, std::vector<std::string>{"second exit"});
    first->SetEnabled(true);
    first->SetFocus();
    delete first;
    EXPECT_EQ(form.ActiveControl(), nullptr);
    form.Hide();
}

TEST_F(FormTest, TimerRestartsOnlyFromDisabled)
{
    TTimer timer(nullptr);
    timer.SetEnabled(false);
    timer.SetInterval(300);
    DWORD fired = 0;
    DWORD start = 0;
    timer.OnTimer = [&](TObject*) {
        fired = GetTickCount() - start;
        timer.SetEnabled(false);  // one shot
    };
    // true -> true changes nothing: the first tick still comes one interval after the start.
    start = GetTickCount();
    timer.SetEnabled(true);
    PumpFor(150);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return fired != 0; }));
    EXPECT_LT(fired, 450u);

    // false -> true starts a full new interval.
    fired = 0;
    start = GetTickCount();
    timer.SetEnabled(true);
    PumpFor(150);
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return fired != 0; }));
    EXPECT_GE(fired, 440u);
}

TEST_F(FormTest, TimerExceptionIsReported)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw Exception(L"tick failed");
    };
    ASSERT_TRUE(PumpUntil([&] { return !reportedErrors.empty(); }));
    EXPECT_EQ(reportedErrors[0], L"tick failed");
}

TEST_F(FormTest, AllocatedWindowSendsItsMessagesToTheMethod)
{
    std::vector<UINT> seen;
    const HWND window = AllocateHWnd([&](TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_APP + 1)
            m.Result = 99;
    });
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), nullptr);  // a real top-level window: it hears broadcasts
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(SendMessageW(window, WM_APP + 1, 0, 0), 99);
    EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), 0);  // unhandled: 0
    EXPECT_EQ(seen, (std::vector<UINT>{WM_APP + 1, WM_QUERYENDSESSION}));
    DeallocateHWnd(window);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FormTest, MenuIsBuiltFromItsItemsAndTheClickComesFromTheQueue)
{
    TPopupMenu menu(nullptr);
    auto* on = new TMenuItem(&menu);
    on->SetCaption(L"On");
    on->SetChecked(true);
    auto* separator = new TMenuItem(&menu);
    separator->SetCaption(L"-");
    auto* exit = new TMenuItem(&menu);
    exit->SetCaption(L"Exit");
    exit->SetEnabled(false);
    menu.Items().Add(on);
    menu.Items().Add(separator);
    menu.Items().Add(exit);

    const HMENU built = menu.BuildMenu();
    ASSERT_EQ(GetMenuItemCount(built), 3);
    EXPECT_EQ(GetMenuState(built, 0, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_NE(GetMenuState(built, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_NE(GetMenuState(built, 2, MF_BYPOSITION) & MF_GRAYED, 0u);
    wchar_t text[16] = {};
    GetMenuStringW(built, 2, text, 16, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Exit");
    EXPECT_EQ(GetMenuItemID(built, 0), on->Command());
    DestroyMenu(built);

    // The chosen item's click is posted: it runs from the loop, after the caller went on.
    int clicks = 0;
    on->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, on);
        ++clicks;
    };
    PostMessageW(menu.Window(), CM_MENUCOMMAND, on->Command(), 0);
    EXPECT_EQ(clicks, 0);
    Application().ProcessMessages();
    EXPECT_EQ(clicks, 1);
    // An item freed before its command arrives gets nothing, and the menu forgets it.
    const UINT gone = exit->Command();
    delete exit;
    EXPECT_EQ(menu.Items().Count(), 2);
    PostMessageW(menu.Window(), CM_MENUCOMMAND, gone, 0);
    Application().ProcessMessages();
}

TEST_F(FormTest, AMenuFreedByItsOnPopupIsNotTouchedAgain)
{
    auto* menu = new TPopupMenu(nullptr);
    auto* item = new TMenuItem(menu);
    item->SetCaption(L"On");
    menu->Items().Add(item);
    bool asked = false;
    menu->OnPopup = [&](TObject*) {
        asked = true;
        delete menu;
    };
    menu->Popup(10, 10);  // returns without building the freed menu's items
    EXPECT_TRUE(asked);
}

TEST_F(FormTest, ShowMessageUsesTheApplicationTitle)
{
    ShowMessage(L"Can't register device notification~");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Can't register device notification~");
    EXPECT_EQ(boxes[0].caption, Application().Title());
    EXPECT_EQ(boxes[0].flags, static_cast<UINT>(MB_OK));
    EXPECT_EQ(Application().Title(), L"forms_window_tests");
}

TEST_F(FormTest, ClientSizeSettersAccountForTheFrame)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.HandleNeeded();
    form.SetClientWidth(488);
    form.SetClientHeight(281);
    EXPECT_EQ(form.ClientWidth(), 488);
    EXPECT_EQ(form.ClientHeight(), 281);
    EXPECT_GT(form.Width(), 488);
    form.SetBorderStyle(bsNone);  // the frame goes, the window size stays
    EXPECT_EQ(form.ClientWidth(), form.Width());
}
