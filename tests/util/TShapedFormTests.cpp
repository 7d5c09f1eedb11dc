#include "gui/util/TShapedForm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "forms/Application.h"
#include "forms/Assert.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Image.h"

namespace {

struct UpdateCall {
    SIZE size;
    COLORREF key;
    BLENDFUNCTION blend;
    DWORD flags;
};

std::vector<UpdateCall> g_updates;

BOOL WINAPI RecordUpdate(HWND window, HDC screen, POINT* destination, SIZE* size, HDC source, POINT* sourcePoint,
                         COLORREF key, BLENDFUNCTION* blend, DWORD flags)
{
    g_updates.push_back({*size, key, *blend, flags});
    return UpdateLayeredWindow(window, screen, destination, size, source, sourcePoint, key, blend, flags);
}

struct AssertionStop {
    std::string expression;
};

struct Box {
    std::wstring text, caption;
};

// A borderless, unscaled form with an image whose picture is 40 x 30, bottom-left pixel 0x123456.
class ShapedFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_updates.clear();
        previousAssert_ = forms::SetAssertHandler([](const forms::AssertionFailure& failure) {
            throw AssertionStop{failure.Expression};
        });
        previousBox_ = forms::SetMessageBoxHandler([this](HWND, const std::wstring& text, const std::wstring& caption,
                                                          UINT) {
            boxes.push_back({text, caption});
            return IDOK;
        });
        form = new forms::TForm(nullptr);
        form->SetName(L"ShapedForm");
        form->SetBorderStyle(forms::bsNone);
        form->SetScaled(false);
        form->SetBounds(200, 150, 300, 300);
        image = new forms::TImage(form);
        image->SetParent(form);
        Paint(40, 30);
        maker.LayeredWindowMaker().SetUpdateLayeredWindow(RecordUpdate);
    }

    void TearDown() override
    {
        delete form;
        forms::SetMessageBoxHandler(previousBox_);
        forms::SetAssertHandler(previousAssert_);
    }

    void Paint(int width, int height)
    {
        forms::TBitmap& bitmap = image->Picture().Bitmap();
        bitmap.SetPixelFormat(forms::pf24bit);
        bitmap.SetSize(width, height);
        bitmap.Canvas().Brush().SetColor(0x808080);
        bitmap.Canvas().FillRect(forms::TRect(0, 0, width, height));
        bitmap.Canvas().Brush().SetColor(0x123456);
        bitmap.Canvas().FillRect(forms::TRect(0, height - 1, 1, height));
    }

    DWORD ExStyle() { return static_cast<DWORD>(GetWindowLongW(form->Handle(), GWL_EXSTYLE)); }

    gs::TPerPixelLayeredFormMaker maker;
    forms::TForm* form = nullptr;
    forms::TImage* image = nullptr;
    std::vector<Box> boxes;

private:
    forms::AssertHandler previousAssert_;
    forms::MessageBoxHandler previousBox_;
};

TEST_F(ShapedFormTest, NewMakerKeysOnThePicturesTransparentColour)
{
    EXPECT_TRUE(maker.GetColorKeyEnabled());
    EXPECT_EQ(maker.GetTransparentColor(), 0xFFFFFFFFu);
    EXPECT_FALSE(maker.GetClickThrough());
    EXPECT_FALSE(maker.GetUseConstantAlpha());
    EXPECT_EQ(maker.GetAlpha(), 255);
    EXPECT_TRUE(maker.GetDraggable());
    EXPECT_FALSE(maker.IsAttached());

    ASSERT_TRUE(maker.Attach(image));
    EXPECT_TRUE(maker.IsAttached());
    EXPECT_EQ(maker.GetForm(), form);
    EXPECT_EQ(maker.GetImage(), image);
    EXPECT_EQ(image->Picture().Bitmap().PixelFormat(), forms::pf32bit);
    EXPECT_EQ(maker.GetTransparentColor(), 0x02123456u);
    EXPECT_EQ(form->Color(), 0x02123456u);
    EXPECT_EQ(form->ClientWidth(), 40);
    EXPECT_EQ(form->ClientHeight(), 30);
    EXPECT_TRUE(form->ControlStyle() & forms::csOpaque);
    EXPECT_TRUE(boxes.empty());
    ASSERT_FALSE(g_updates.empty());
    EXPECT_EQ(g_updates.back().flags, static_cast<DWORD>(ULW_COLORKEY));
    EXPECT_EQ(g_updates.back().key, 0x02123456u);
    EXPECT_EQ(g_updates.back().size.cx, 40);
    EXPECT_EQ(g_updates.back().size.cy, 30);
    EXPECT_EQ(ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), static_cast<DWORD>(WS_EX_LAYERED));
}

TEST_F(ShapedFormTest, SettingsReapplyAtOnceOnlyWhenTheyChange)
{
    ASSERT_TRUE(maker.Attach(image));
    g_updates.clear();
    maker.SetPerPixelAlpha(true);
    ASSERT_EQ(g_updates.size(), 1u);
    EXPECT_EQ(g_updates[0].flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(g_updates[0].blend.SourceConstantAlpha, 255);

    maker.SetUseConstantAlpha(true);
    maker.SetAlpha(128);
    ASSERT_EQ(g_updates.size(), 3u);
    EXPECT_EQ(g_updates[2].blend.SourceConstantAlpha, 128);

    // Equal values touch nothing.
    maker.SetAlpha(128);
    maker.SetPerPixelAlpha(true);
    maker.SetUseConstantAlpha(true);
    maker.SetColorKeyEnabled(true);
    maker.SetClickThrough(false);
    maker.SetTransparentColor(0x02123456);
    EXPECT_EQ(g_updates.size(), 3u);

    maker.SetClickThrough(true);
    EXPECT_EQ(ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_EQ(g_updates.size(), 4u);

    // Nothing left that asks for a layered window: the style goes, click-through stays.
    maker.SetUseConstantAlpha(false);
    maker.SetPerPixelAlpha(false);
    maker.SetColorKeyEnabled(false);
    EXPECT_EQ(ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), static_cast<DWORD>(WS_EX_TRANSPARENT));

    maker.RemoveShape(form);
    EXPECT_EQ(ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0u);
}

TEST_F(ShapedFormTest, SettingsBeforeAttachOnlyStore)
{
    maker.SetPerPixelAlpha(true);
    maker.SetUseConstantAlpha(true);
    maker.SetAlpha(100);
    maker.SetDraggable(false);
    EXPECT_TRUE(g_updates.empty());
    EXPECT_FALSE(form->HandleAllocated());
    ASSERT_TRUE(maker.Attach(image));
    EXPECT_EQ(g_updates.back().flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(g_updates.back().blend.SourceConstantAlpha, 100);
    EXPECT_FALSE(image->OnMouseDown); // not draggable: the image's handler is not taken
}

TEST_F(ShapedFormTest, AttachNeedsAnImageOnAForm)
{
    EXPECT_FALSE(maker.Attach(nullptr));
    forms::TImage loose(nullptr);
    EXPECT_FALSE(maker.Attach(&loose));
    EXPECT_FALSE(maker.IsAttached());
    EXPECT_TRUE(g_updates.empty());

    // An image on a windowed control of the form finds the form through its parents.
    auto* panel = new forms::TWinControl(form);
    panel->SetParent(form);
    image->SetParent(panel);
    EXPECT_TRUE(maker.Attach(image));
    EXPECT_EQ(maker.GetForm(), form);
}

TEST_F(ShapedFormTest, AttachingTwiceStops)
{
    ASSERT_TRUE(maker.Attach(image));
    try {
        maker.Attach(image);
        FAIL() << "a second Attach went through";
    } catch (const AssertionStop& stop) {
        EXPECT_EQ(stop.expression, "!IsAttached()");
    }
}

TEST_F(ShapedFormTest, FormRulesAreReported)
{
    form->SetBorderStyle(forms::bsSingle);
    ASSERT_TRUE(maker.Attach(image));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"BorderStyle is not set to bsNone");
    EXPECT_EQ(boxes[0].caption, L"ShapedForm");

    gs::TPerPixelLayeredFormMaker other;
    auto* scaled = new forms::TForm(form);
    scaled->SetName(L"ScaledForm");
    scaled->SetBorderStyle(forms::bsNone);
    auto* picture = new forms::TImage(scaled);
    picture->SetParent(scaled);
    try {
        other.Attach(picture);
        FAIL() << "a scaled form was accepted";
    } catch (const AssertionStop& stop) {
        EXPECT_EQ(stop.expression, "m_form->Scaled == false");
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"Scaled is not set to false");
    EXPECT_EQ(boxes[1].caption, L"ScaledForm");
}

TEST_F(ShapedFormTest, RefreshFollowsAGrownPicture)
{
    image->SetAutoSize(true);
    ASSERT_TRUE(maker.Attach(image));
    Paint(64, 48);
    g_updates.clear();
    maker.Refresh();
    EXPECT_EQ(form->ClientWidth(), 64);
    EXPECT_EQ(form->ClientHeight(), 48);
    ASSERT_EQ(g_updates.size(), 1u);
    EXPECT_EQ(g_updates[0].size.cx, 64);
    EXPECT_EQ(g_updates[0].size.cy, 48);
}

TEST_F(ShapedFormTest, TheFormsBackgroundIsNeverErased)
{
    ASSERT_TRUE(maker.Attach(image));
    HWND window = form->Handle();
    HDC dc = GetDC(window);
    EXPECT_EQ(SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(window, dc);
    // Everything else still reaches the form.
    SetWindowTextW(window, L"Still the form");
    EXPECT_EQ(form->Caption(), L"Still the form");
}

TEST_F(ShapedFormTest, DraggingCanBeSwitchedOffAndOn)
{
    int own = 0;
    image->OnMouseDown = [&](forms::TObject*, forms::TMouseButton, forms::TShiftState, int, int) { ++own; };
    ASSERT_TRUE(maker.Attach(image));
    // The drag handler took the image's place and calls the image's own afterwards.
    image->OnMouseDown(image, forms::mbRight, 0, 1, 1);
    EXPECT_EQ(own, 1);
    maker.SetDraggable(false);
    image->OnMouseDown(image, forms::mbLeft, 0, 1, 1);
    EXPECT_EQ(own, 2);
    maker.SetDraggable(true);
    maker.SetDraggable(true);
    image->OnMouseDown(image, forms::mbRight, 0, 1, 1);
    EXPECT_EQ(own, 3);
}

TEST_F(ShapedFormTest, MakerGoneFirstGivesTheFormAndImageBack)
{
    int own = 0;
    image->OnMouseDown = [&](forms::TObject*, forms::TMouseButton, forms::TShiftState, int, int) { ++own; };
    {
        gs::TPerPixelLayeredFormMaker shortLived;
        shortLived.LayeredWindowMaker().SetUpdateLayeredWindow(RecordUpdate);
        ASSERT_TRUE(shortLived.Attach(image));
    }
    // The form's own procedure answers again, and the image's own handler is back.
    HWND window = form->Handle();
    SetWindowTextW(window, L"after");
    EXPECT_EQ(form->Caption(), L"after");
    image->OnMouseDown(image, forms::mbLeft, 0, 1, 1);
    EXPECT_EQ(own, 1);
}

TEST_F(ShapedFormTest, ImageGoneFirstIsForgotten)
{
    auto* maker2 = new gs::TPerPixelLayeredFormMaker();
    maker2->LayeredWindowMaker().SetUpdateLayeredWindow(RecordUpdate);
    ASSERT_TRUE(maker2->Attach(image));
    delete image;
    image = nullptr;
    EXPECT_FALSE(maker2->IsAttached());
    maker2->SetAlpha(10); // nothing to apply to any more
    delete maker2;        // must not touch the freed image
    SetWindowTextW(form->Handle(), L"alive");
    EXPECT_EQ(form->Caption(), L"alive");
}

// Real input: a left press on the picture drags the form with the system's caption drag.
class DragTest : public ShapedFormTest {
protected:
    static void Mouse(int x, int y, DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
        SendInput(1, &input, sizeof(input));
    }

    static void Pump(int milliseconds)
    {
        const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        while (static_cast<int>(end - GetTickCount()) > 0) {
            forms::Application().ProcessMessages();
            Sleep(10);
        }
    }

    RECT WindowRect()
    {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return r;
    }
};

TEST_F(DragTest, LeftPressMovesTheFormRightPressDoesNot)
{
    std::vector<forms::TMouseButton> own;
    image->OnMouseDown = [&](forms::TObject*, forms::TMouseButton button, forms::TShiftState, int, int) {
        own.push_back(button);
    };
    ASSERT_TRUE(maker.Attach(image));
    form->Show();
    Pump(300);
    const RECT start = WindowRect();

    Mouse(start.left + 10, start.top + 10, 0);
    Pump(100);
    Mouse(start.left + 10, start.top + 10, MOUSEEVENTF_RIGHTDOWN);
    Mouse(start.left + 10, start.top + 10, MOUSEEVENTF_RIGHTUP);
    Pump(300);
    EXPECT_EQ(WindowRect().left, start.left);
    ASSERT_EQ(own.size(), 1u);
    EXPECT_EQ(own[0], forms::mbRight);

    // The drag runs a modal loop inside the press: another thread moves and lets go.
    std::atomic<bool> done{false};
    std::thread mover([&] {
        Sleep(400);
        for (int step = 1; step <= 6; ++step) {
            Mouse(start.left + 10 + 5 * step, start.top + 10 + 4 * step, 0);
            Sleep(60);
        }
        Mouse(start.left + 40, start.top + 34, MOUSEEVENTF_LEFTUP);
        done = true;
    });
    Mouse(start.left + 10, start.top + 10, MOUSEEVENTF_LEFTDOWN);
    while (!done)
        Pump(50);
    mover.join();
    Pump(300);
    const RECT moved = WindowRect();
    EXPECT_EQ(moved.left - start.left, 30);
    EXPECT_EQ(moved.top - start.top, 24);
    ASSERT_EQ(own.size(), 2u);
    EXPECT_EQ(own[1], forms::mbLeft); // after the drag, the image's own handler
}

} // namespace
