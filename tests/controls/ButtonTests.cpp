#include <windows.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "TestBitmaps.h"
#include "WindowTestBed.h"
#include "forms/Color.h"
#include "forms/CustomControl.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsRadioButton.h"

using namespace gs;
using controls_test::FillBitmap;
using controls_test::PixelAt;

namespace {

// One solid colour per draw state, so that the screen tells which face is shown.
constexpr COLORREF kFaceColors[kDrawStateCount] = {0x0000C0, 0x00C000, 0xC00000, 0x808080, 0x00C0C0, 0xC0C000};

void LoadFaces(GsButtonAppearance& appearance, int width, int height, const COLORREF (&colors)[kDrawStateCount])
{
    for (int state = 0; state < kDrawStateCount; ++state)
        FillBitmap(*appearance.Bitmap(state), width, height, colors[state]);
}

// Records what a button asks of its caption painter.
class RecordingPainter : public TTextPainter {
public:
    struct Draw {
        std::wstring text;
        forms::TRect rect;
        UINT format;
        forms::TColor fontColor;
        bool layered;
    };

    void CalcWideTextRect(forms::TCanvas&, const wchar_t*, forms::TRect& rect, UINT format) override
    {
        measured.push_back(rect);
        measureFormat = format;
        rect.Bottom = rect.Top + measuredHeight;
    }
    void DrawWideTextOnBitmap(forms::TBitmap& bitmap, const wchar_t* text, const forms::TRect& rect, UINT format,
                              bool layered) override
    {
        draws.push_back({text, rect, format, bitmap.Canvas().Font().Color(), layered});
    }

    int measuredHeight = 30;
    std::vector<forms::TRect> measured;
    UINT measureFormat = 0;
    std::vector<Draw> draws;
};

class CaptionButton : public GsButton {
public:
    using GsButton::GsButton;
    RecordingPainter painter;
    int painterState = -1;

protected:
    TTextPainter* GetTextPainter(int drawState) override
    {
        painterState = drawState;
        return &painter;
    }
};

class Buttons : public controls_test::WindowTestBed {
protected:
    GsButton* MakeButton(int left = 30, int top = 20)
    {
        auto* button = new GsButton(host);
        button->SetParent(host);
        button->SetLeft(left);
        button->SetTop(top);
        LoadFaces(button->Appearance(), 80, 24, kFaceColors);
        button->OnClick = [this](forms::TObject*) { ++clicks; };
        button->OnMouseDown = [this](forms::TObject*, forms::TMouseButton b, forms::TShiftState s, int x, int y) {
            downs.push_back({b, s, x, y});
        };
        Pump();
        return button;
    }

    void Hover(forms::TWinControl& control, int x = 5, int y = 5)
    {
        PointAt(control, x, y);
        Send(control, WM_MOUSEMOVE, 0, Point(x, y));
    }

    struct Down {
        forms::TMouseButton button;
        forms::TShiftState shift;
        int x, y;
    };
    int clicks = 0;
    std::vector<Down> downs;
};

}  // namespace

TEST_F(Buttons, RaisedPictureSizesTheButtonInPlace)
{
    auto* button = new GsButton(host);
    button->SetParent(host);
    button->SetBounds(33, 21, 10, 10);
    forms::TBitmap raised;
    FillBitmap(raised, 80, 24, 0x0000FF);
    button->Appearance().SetRaised(&raised);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_EQ(button->Left(), 33);
    EXPECT_EQ(button->Top(), 21);
    FillBitmap(*button->Appearance().Hovered(), 120, 50, 0);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_TRUE(button->AutoSize());
    EXPECT_TRUE(button->ControlStyle() & forms::csOpaque);
}

TEST_F(Buttons, PressThenLeaveWithTheButtonHeldThenRelease)
{
    GsButton* button = MakeButton();
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsRaised]);
    Hover(*button);
    EXPECT_TRUE(button->IsHovered());
    EXPECT_EQ(button->DrawState(), dsHovered);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsHovered]);

    Send(*button, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    EXPECT_TRUE(button->IsMousePressed());
    EXPECT_EQ(button->DrawState(), dsSunken);
    EXPECT_EQ(button->DrawnIndex(), dsSunken);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsSunken]);

    PointAt(*button, -20, 5);
    Send(*button, WM_MOUSEMOVE, MK_LBUTTON, Point(-20, 5));
    EXPECT_FALSE(button->IsHovered());
    EXPECT_TRUE(button->IsMousePressed());
    EXPECT_EQ(button->DrawState(), dsRaised);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsRaised]);

    Send(*button, WM_LBUTTONUP, 0, Point(-20, 5));
    EXPECT_FALSE(button->IsMousePressed());
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Buttons, CaptureLossClearsThePress)
{
    GsButton* button = MakeButton();
    Hover(*button);
    Send(*button, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    ASSERT_TRUE(button->IsMousePressed());
    SetCapture(form->Handle());
    EXPECT_FALSE(button->IsMousePressed());
    ReleaseCapture();
    Pump();
    EXPECT_EQ(button->DrawState(), dsHovered);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsHovered]);
}

TEST_F(Buttons, ClickInsideSetsTheFormModalResult)
{
    GsButton* button = MakeButton();
    button->SetModalResult(forms::mrOk);
    Hover(*button);
    Send(*button, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    Send(*button, WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form->ModalResult(), forms::mrOk);
    // A button without a modal result sets 0 as well.
    GsButton* other = MakeButton(30, 60);
    Hover(*other);
    Send(*other, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    Send(*other, WM_LBUTTONUP, 0, Point(5, 5));
    EXPECT_EQ(form->ModalResult(), 0);
}

TEST_F(Buttons, FocusedButtonShowsActiveUnderThePointerAndFocusedAway)
{
    GsButton* button = MakeButton();
    button->SetFocus();
    Pump();
    ASSERT_EQ(GetFocus(), button->Handle());
    EXPECT_EQ(button->DrawState(), dsFocused);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsFocused]);

    Hover(*button);
    EXPECT_EQ(button->DrawState(), dsActive);
    Send(*button, WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
    EXPECT_EQ(button->DrawState(), dsActive);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsActive]);
    Send(*button, WM_LBUTTONUP, 0, Point(5, 5));

    int leaves = 0;
    button->OnMouseLeave = [&](forms::TObject* sender) {
        EXPECT_EQ(sender, button);
        ++leaves;
    };
    PointAway();
    for (int i = 0; i < 100 && button->IsHovered(); ++i)
        Pump(20);
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(button->DrawState(), dsFocused);
    EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsFocused]);

    host->SetFocus();
    Pump();
    EXPECT_EQ(button->DrawState(), dsRaised);
}

TEST_F(Buttons, SpaceAndEnterOnlyChangeTheFace)
{
    GsButton* button = MakeButton();
    Hover(*button);
    for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_RETURN}}) {
        Send(*button, WM_KEYDOWN, key, 1);
        EXPECT_TRUE(button->IsKeyPressed());
        EXPECT_EQ(button->DrawState(), dsSunken);
        EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsSunken]);
        Send(*button, WM_CHAR, key == VK_SPACE ? L' ' : L'\r', 1);
        Send(*button, WM_KEYUP, key, 0xC0000001);
        EXPECT_FALSE(button->IsKeyPressed());
        EXPECT_EQ(button->DrawState(), dsHovered);
        EXPECT_EQ(ScreenPixel(*button, 3, 3), kFaceColors[dsHovered]);
    }
    // Other keys change nothing.
    Send(*button, WM_KEYDOWN, 'A', 1);
    EXPECT_FALSE(button->IsKeyPressed());
    EXPECT_EQ(clicks, 0);
}

TEST_F(Buttons, MouseEnterOnceAndLeaveOnlyFromTheLeaveNotice)
{
    GsButton* button = MakeButton();
    int enters = 0;
    int leaves = 0;
    button->OnMouseEnter = [&](forms::TObject*) { ++enters; };
    button->OnMouseLeave = [&](forms::TObject*) { ++leaves; };
    Hover(*button, 5, 5);
    Hover(*button, 6, 6);
    EXPECT_EQ(enters, 1);
    // Moving outside while captured clears the hover but is no leave.
    Send(*button, WM_MOUSEMOVE, 0, Point(200, 5));
    EXPECT_FALSE(button->IsHovered());
    EXPECT_EQ(leaves, 0);
    Send(*button, WM_MOUSELEAVE);
    EXPECT_EQ(leaves, 1);
    EXPECT_EQ(button->DrawState(), dsRaised);
}

TEST_F(Buttons, HoverNoticeRepeatsMouseDownWithItsKeyFlags)
{
    GsButton* button = MakeButton();
    button->SetRepeated(true);
    Send(*button, WM_MOUSEHOVER, MK_LBUTTON | MK_SHIFT, Point(7, 9));
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].button, forms::mbLeft);
    EXPECT_EQ(downs[0].shift, forms::ssLeft | forms::ssShift);
    EXPECT_EQ(downs[0].x, 7);
    EXPECT_EQ(downs[0].y, 9);
    Send(*button, WM_MOUSEHOVER, MK_RBUTTON | MK_CONTROL, Point(1, 2));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].button, forms::mbRight);
    EXPECT_EQ(downs[1].shift, forms::ssRight | forms::ssCtrl);
    Send(*button, WM_MOUSEHOVER, MK_MBUTTON, Point(1, 2));
    EXPECT_EQ(downs.back().button, forms::mbMiddle);
    Send(*button, WM_MOUSEHOVER, 0, Point(1, 2));
    EXPECT_EQ(downs.size(), 3u);
}

namespace {

// Counts the hover notices the system sends.
class HoverCountingButton : public GsButton {
public:
    using GsButton::GsButton;
    int hovers = 0;

protected:
    void WndProc(forms::TMessage& message) override
    {
        if (message.Msg == WM_MOUSEHOVER)
            ++hovers;
        GsButton::WndProc(message);
    }
};

}  // namespace

TEST_F(Buttons, RestingPointerRepeatsHoverNoticesOnlyWithRepeated)
{
    auto* repeating = new HoverCountingButton(host);
    repeating->SetParent(host);
    repeating->SetTop(20);
    LoadFaces(repeating->Appearance(), 80, 24, kFaceColors);
    repeating->SetRepeated(true);
    auto* plain = new HoverCountingButton(host);
    plain->SetParent(host);
    plain->SetTop(80);
    LoadFaces(plain->Appearance(), 80, 24, kFaceColors);
    Pump();

    Hover(*repeating, 10, 10);
    Pump(1500);
    EXPECT_GE(repeating->hovers, 2) << "tracking is armed again after each notice";
    EXPECT_TRUE(repeating->IsHovered());

    Hover(*plain, 10, 10);
    Pump(1000);
    EXPECT_EQ(plain->hovers, 0);
}

TEST_F(Buttons, DisabledButtonShowsItsDisabledFaceAndGreyCaption)
{
    auto* button = new CaptionButton(host);
    button->SetParent(host);
    LoadFaces(button->Appearance(), 80, 24, kFaceColors);
    button->SetCaption(L"Off");
    button->SetEnabled(false);
    Pump();
    EXPECT_EQ(button->DrawState(), dsDisabled);
    EXPECT_EQ(button->DrawnIndex(), dsDisabled);
    EXPECT_EQ(ScreenPixel(*button, 1, 1), kFaceColors[dsDisabled]);
    EXPECT_EQ(button->painterState, dsDisabled);
    ASSERT_FALSE(button->painter.draws.empty());
    EXPECT_EQ(button->painter.draws.back().fontColor, forms::clGrayText);

    // Without a Disabled face the Raised face and its caption settings are used.
    button->Appearance().Disabled()->SetSize(0, 0);
    button->Repaint();
    EXPECT_EQ(button->DrawnIndex(), dsRaised);
    EXPECT_EQ(button->painterState, dsRaised);
    EXPECT_EQ(ScreenPixel(*button, 1, 1), kFaceColors[dsRaised]);

    // The real painter of the Disabled state is the text effect's.
    GsButton plain(nullptr);
    EXPECT_EQ(plain.TextEffect().GetPainter(0, dsDisabled), plain.TextEffect().Disabled().GetTextPainter());
}

TEST_F(Buttons, CaptionRectangleFlagsAndWrappedPlacement)
{
    auto* button = new CaptionButton(host);
    button->SetParent(host);
    FillBitmap(*button->Appearance().Raised(), 100, 40, 0x202020);
    button->SetCaption(L"two lines");
    button->Font().SetColor(0x00FFFF);
    button->Repaint();
    ASSERT_EQ(button->painter.draws.size(), 1u);
    RecordingPainter::Draw draw = button->painter.draws.back();
    EXPECT_EQ(draw.text, L"two lines");
    EXPECT_EQ(draw.rect, forms::TRect(0, 0, 100, 40));
    EXPECT_EQ(draw.format, UINT(DT_CENTER | DT_VCENTER | DT_SINGLELINE));
    EXPECT_EQ(draw.fontColor, 0x00FFFFu);
    EXPECT_FALSE(draw.layered);
    EXPECT_TRUE(button->painter.measured.empty());

    button->SetWordWrap(true);
    button->Repaint();
    ASSERT_EQ(button->painter.measured.size(), 1u);
    EXPECT_EQ(button->painter.measured[0], forms::TRect(0, 0, 100, 40));
    EXPECT_EQ(button->painter.measureFormat, UINT(DT_CENTER | DT_VCENTER | DT_WORDBREAK));
    EXPECT_EQ(button->painter.draws.back().rect, forms::TRect(0, 5, 100, 40));

    button->SetLayout(forms::tlBottom);
    button->Repaint();
    EXPECT_EQ(button->painter.draws.back().rect, forms::TRect(0, 10, 100, 40));
    EXPECT_EQ(button->painter.draws.back().format, UINT(DT_CENTER | DT_BOTTOM | DT_WORDBREAK));

    const size_t measures = button->painter.measured.size();
    button->SetLayout(forms::tlTop);
    button->Repaint();
    EXPECT_EQ(button->painter.measured.size(), measures);
    EXPECT_EQ(button->painter.draws.back().rect, forms::TRect(0, 0, 100, 40));

    // Text taller than the rectangle is not moved up.
    button->SetLayout(forms::tlCenter);
    button->painter.measuredHeight = 55;
    button->Repaint();
    EXPECT_EQ(button->painter.draws.back().rect, forms::TRect(0, 0, 100, 40));

    button->TextMargins().SetLeft(3);
    button->TextMargins().SetTop(4);
    button->TextMargins().SetRight(5);
    button->TextMargins().SetBottom(6);
    button->SetWordWrap(false);
    button->SetAlignment(forms::taRightJustify);
    button->Repaint();
    EXPECT_EQ(button->painter.draws.back().rect, forms::TRect(3, 4, 95, 34));
    EXPECT_EQ(button->painter.draws.back().format, UINT(DT_RIGHT | DT_VCENTER | DT_SINGLELINE));

    const size_t draws = button->painter.draws.size();
    button->SetCaption(L"");
    button->Repaint();
    EXPECT_EQ(button->painter.draws.size(), draws);
    EXPECT_EQ(ScreenPixel(*button, 50, 20), 0x202020u);
}

TEST_F(Buttons, AlphaFaceIsBlendedOverTheInputBackgroundAtItsPlace)
{
    // The parent's picture: green in columns 40..49, blue elsewhere.
    forms::TBitmap background;
    FillBitmap(background, 400, 300, 0xFF0000);
    for (int y = 0; y < 300; ++y) {
        std::uint8_t* row = background.ScanLine(y);
        for (int x = 40; x < 50; ++x) {
            row[4 * x] = 0;
            row[4 * x + 1] = 0xFF;
        }
    }
    background.SetPixelFormat(forms::pf24bit);

    auto* button = new GsButton(host);
    button->SetParent(host);
    button->SetLeft(40);
    button->SetTop(30);
    forms::TBitmap face;
    FillBitmap(face, 20, 10, 0x0000FF, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            face.ScanLine(y)[4 * x + 3] = 255;  // right half opaque red
    button->Appearance().SetRaised(&face);
    button->SetInputBkgnd(&background);
    Pump();
    EXPECT_EQ(ScreenPixel(*button, 2, 2), 0x00FF00u);   // transparent: the parent's green under it
    EXPECT_EQ(ScreenPixel(*button, 15, 2), 0x0000FFu);  // opaque: the face

    // A 24-bit face is copied as it is.
    face.SetPixelFormat(forms::pf24bit);
    button->Appearance().SetRaised(&face);
    Pump();
    EXPECT_EQ(ScreenPixel(*button, 2, 2), 0x0000FFu);
}

TEST_F(Buttons, ABackgroundFreedBeforeItsButtonsIsNoLongerRead)
{
    // A form may free its background picture before or after its controls.
    auto background = std::make_unique<forms::TBitmap>();
    FillBitmap(*background, 100, 100, 0x00FF00);
    GsButton* button = MakeButton();
    button->SetInputBkgnd(background.get());
    background.reset();
    EXPECT_EQ(button->InputBkgnd(), nullptr);
    button->Repaint();  // composes without it
}

TEST_F(Buttons, FontChangesReachOnlyTheRaisedCaptionSettings)
{
    GsButton* button = MakeButton();
    button->TextEffect().Hovered();
    button->Font().SetName(L"Arial");
    button->Font().SetColor(0x123456);
    EXPECT_EQ(button->TextEffect().Raised().Font().Name(), L"Arial");
    EXPECT_EQ(button->TextEffect().Raised().Font().Color(), 0x123456u);
    EXPECT_NE(button->TextEffect().Hovered().Font().Color(), 0x123456u);

    auto* radio = new GsRadioButton(host);
    radio->Font().SetHeight(15);
    EXPECT_EQ(radio->TextEffect().Unchecked().Raised().Font().Height(), 15);
    auto* box = new GsCheckBox(host);
    box->Font().SetColor(0xD2D2D2);
    EXPECT_EQ(box->TextEffect().Unchecked().Raised().Font().Color(), 0xD2D2D2u);
}

TEST_F(Buttons, ExceptionFromAnEventHandlerStaysInsideTheWindow)
{
    GsButton* button = MakeButton();
    button->OnMouseEnter = [](forms::TObject*) { throw forms::EInvalidOperation(L"handler failed"); };
    Hover(*button);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"handler failed");
    errors.clear();
    EXPECT_TRUE(IsWindow(button->Handle()));
    EXPECT_EQ(button->DrawState(), dsHovered);
}

namespace {

class RadioButtons : public controls_test::WindowTestBed {
protected:
    GsRadioButton* MakeRadio(forms::TWinControl* parent, int top, int group = 0)
    {
        auto* radio = new GsRadioButton(host);
        radio->SetParent(parent);
        radio->SetTop(top);
        radio->SetGroupIndex(group);
        LoadFaces(*radio->Appearance().Unchecked(), 40, 16, kFaceColors);
        radio->OnClick = [this](forms::TObject*) { ++clicks; };
        return radio;
    }
    int clicks = 0;
};

}  // namespace

TEST_F(RadioButtons, CheckingOneUnchecksItsGroupOnTheSameParentOnly)
{
    auto* panelA = new forms::TCustomControl(host);
    panelA->SetParent(host);
    panelA->SetBounds(0, 0, 200, 100);
    auto* panelB = new forms::TCustomControl(host);
    panelB->SetParent(host);
    panelB->SetBounds(0, 120, 200, 100);
    GsRadioButton* a1 = MakeRadio(panelA, 0);
    GsRadioButton* a2 = MakeRadio(panelA, 20);
    GsRadioButton* a3 = MakeRadio(panelA, 40);
    GsRadioButton* other = MakeRadio(panelA, 60, 1);
    GsRadioButton* b1 = MakeRadio(panelB, 0);
    a2->SetChecked(true);
    other->SetChecked(true);
    b1->SetChecked(true);
    a1->SetChecked(true);
    EXPECT_TRUE(a1->Checked());
    EXPECT_FALSE(a2->Checked());
    EXPECT_FALSE(a3->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(b1->Checked());
    a3->SetChecked(true);
    EXPECT_FALSE(a1->Checked());
    // Unchecking touches no sibling.
    a3->SetChecked(false);
    EXPECT_FALSE(a1->Checked());
    EXPECT_TRUE(other->Checked());
}

TEST_F(RadioButtons, ClickDoubleClickAndSpaceCheckIt)
{
    GsRadioButton* first = MakeRadio(host, 0);
    GsRadioButton* second = MakeRadio(host, 30);
    Pump();
    Send(*first, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    Send(*first, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(clicks, 1);
    Send(*first, WM_LBUTTONDOWN, MK_LBUTTON, Point(3, 3));
    Send(*first, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_TRUE(first->Checked());

    Send(*second, WM_CHAR, L' ', 1);
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    EXPECT_EQ(clicks, 3);

    int doubles = 0;
    first->OnDblClick = [&](forms::TObject*) { ++doubles; };
    Send(*first, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(3, 3));
    Send(*first, WM_LBUTTONUP, 0, Point(3, 3));
    EXPECT_TRUE(first->Checked());
    EXPECT_EQ(doubles, 1);

    // A key press handler may take the space away.
    second->OnKeyPress = [](forms::TObject*, wchar_t& key) { key = 0; };
    Send(*second, WM_CHAR, L' ', 1);
    EXPECT_FALSE(second->Checked());
}

TEST_F(RadioButtons, CheckedFaceAndRepaintOnlyForTheBitmapOnShow)
{
    GsRadioButton* radio = MakeRadio(host, 10);
    const COLORREF checked[kDrawStateCount] = {0x000040, 0x004000, 0x400000, 0x404040, 0x004040, 0x404000};
    LoadFaces(*radio->Appearance().Checked(), 40, 16, checked);
    radio->SetChecked(true);
    Pump();
    EXPECT_EQ(radio->DrawnIndex(), 6);
    EXPECT_EQ(ScreenPixel(*radio, 2, 2), checked[dsRaised]);
    EXPECT_EQ(radio->TextEffect().GetPainter(1, 0), radio->TextEffect().Checked().Raised().GetTextPainter());

    Send(*radio, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(radio->DrawnIndex(), 7);
    EXPECT_EQ(ScreenPixel(*radio, 2, 2), checked[dsSunken]);
    ValidateRect(radio->Handle(), nullptr);
    forms::TBitmap other;
    FillBitmap(other, 40, 16, 0x111111);
    radio->Appearance().Checked()->Hovered()->Assign(&other);
    EXPECT_FALSE(GetUpdateRect(radio->Handle(), nullptr, FALSE));
    radio->Appearance().Unchecked()->Sunken()->Assign(&other);
    EXPECT_FALSE(GetUpdateRect(radio->Handle(), nullptr, FALSE));
    FillBitmap(other, 40, 16, 0x222222);
    radio->Appearance().Checked()->Sunken()->Assign(&other);
    EXPECT_TRUE(GetUpdateRect(radio->Handle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(ScreenPixel(*radio, 2, 2), 0x222222u);
    Send(*radio, WM_KEYUP, VK_SPACE, 0xC0000001);
}

namespace {

using CheckBoxes = controls_test::WindowTestBed;

void ClickOn(forms::TWinControl& control)
{
    SendMessageW(control.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(control.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

}  // namespace

TEST_F(CheckBoxes, ClicksCycleThroughTheStates)
{
    auto* box = new GsCheckBox(host);
    box->SetParent(host);
    LoadFaces(*box->Appearance().Unchecked(), 30, 16, kFaceColors);
    int clicks = 0;
    box->OnClick = [&](forms::TObject*) { ++clicks; };
    Pump();
    std::vector<forms::TCheckBoxState> seen;
    for (int i = 0; i < 3; ++i) {
        ClickOn(*box);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<forms::TCheckBoxState>{forms::cbChecked, forms::cbUnchecked, forms::cbChecked}));
    EXPECT_EQ(clicks, 3);

    box->SetState(forms::cbUnchecked);
    box->SetAllowGrayed(true);
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        ClickOn(*box);
        seen.push_back(box->State());
    }
    EXPECT_EQ(seen, (std::vector<forms::TCheckBoxState>{forms::cbGrayed, forms::cbChecked, forms::cbUnchecked}));

    Send(*box, WM_CHAR, L' ', 1);
    EXPECT_EQ(box->State(), forms::cbGrayed);
}

TEST_F(CheckBoxes, CheckedMeansCheckedAndUncheckingLeavesGrayed)
{
    auto* box = new GsCheckBox(host);
    box->SetParent(host);
    box->SetState(forms::cbGrayed);
    EXPECT_FALSE(box->Checked());
    box->SetChecked(false);
    EXPECT_EQ(box->State(), forms::cbGrayed);
    box->SetChecked(true);
    EXPECT_EQ(box->State(), forms::cbChecked);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), forms::cbUnchecked);

    // A grayed box shows its Unchecked faces and its Grayed caption settings.
    LoadFaces(*box->Appearance().Unchecked(), 30, 16, kFaceColors);
    FillBitmap(*box->Appearance().Gray()->Raised(), 30, 16, 0x333333);
    box->SetState(forms::cbGrayed);
    Pump();
    EXPECT_EQ(box->DrawnIndex(), 0);
    EXPECT_EQ(ScreenPixel(*box, 2, 2), kFaceColors[dsRaised]);

    GsCheckBoxOuterGlowTextEffect effect;
    effect.Unchecked().Raised().SetOpacity(9);
    box->SetTextEffect(&effect);
    EXPECT_EQ(box->TextEffect().Unchecked().Raised().Opacity(), 9);
    EXPECT_NE(&box->TextEffect(), &effect);
}
