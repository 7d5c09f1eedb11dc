#include "gui/util/LayeredWindow.h"

#include <gtest/gtest.h>

#include <vector>

#include "forms/Bitmap.h"

namespace {

struct UpdateCall {
    HWND window;
    POINT destination;
    SIZE size;
    HBITMAP sourceBitmap;
    POINT source;
    COLORREF key;
    BLENDFUNCTION blend;
    DWORD flags;
    BOOL result;
};

std::vector<UpdateCall> g_updates;

// Records each call, then lets the system do it, so that the arguments are also checked for real.
BOOL WINAPI RecordUpdate(HWND window, HDC screen, POINT* destination, SIZE* size, HDC source, POINT* sourcePoint,
                         COLORREF key, BLENDFUNCTION* blend, DWORD flags)
{
    UpdateCall call{window, *destination, *size,
                    static_cast<HBITMAP>(GetCurrentObject(source, OBJ_BITMAP)), *sourcePoint, key, *blend, flags,
                    FALSE};
    call.result = UpdateLayeredWindow(window, screen, destination, size, source, sourcePoint, key, blend, flags);
    g_updates.push_back(call);
    return call.result;
}

class TestMaker final : public gs::TPerPixelLayeredWindowMaker {};

// A plain top-level window, the kind a layered style applies to.
class TopLevelWindow {
public:
    TopLevelWindow()
    {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"LayeredWindowTestsWindow";
            return RegisterClassW(&wc);
        }();
        handle_ = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, 130, 90, 50, 40, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TopLevelWindow() { DestroyWindow(handle_); }
    HWND Get() const { return handle_; }
    DWORD ExStyle() const { return static_cast<DWORD>(GetWindowLongW(handle_, GWL_EXSTYLE)); }

private:
    HWND handle_;
};

class LayeredWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_updates.clear();
        maker.SetUpdateLayeredWindow(RecordUpdate);
        bitmap24.SetPixelFormat(forms::pf24bit);
        bitmap24.SetSize(30, 20);
        bitmap32.SetPixelFormat(forms::pf32bit);
        bitmap32.SetSize(30, 20);
    }

    TestMaker maker;
    TopLevelWindow window;
    forms::TBitmap bitmap24;
    forms::TBitmap bitmap32;
};

TEST_F(LayeredWindowTest, PerPixelAlphaNeedsA32BitPicture)
{
    maker.SetPerPixelAlpha(true);
    maker.SetColorKeyEnabled(true);
    maker.SetColorKey(0x00123456);

    maker.Apply(window.Get(), &bitmap32);
    ASSERT_EQ(g_updates.size(), 1u);
    EXPECT_EQ(g_updates[0].flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(g_updates[0].blend.BlendOp, AC_SRC_OVER);
    EXPECT_EQ(g_updates[0].blend.BlendFlags, 0);
    EXPECT_EQ(g_updates[0].blend.SourceConstantAlpha, 255);
    EXPECT_EQ(g_updates[0].blend.AlphaFormat, AC_SRC_ALPHA);
    EXPECT_TRUE(g_updates[0].result);

    // Not 32-bit: the colour key takes over.
    maker.Apply(window.Get(), &bitmap24);
    ASSERT_EQ(g_updates.size(), 2u);
    EXPECT_EQ(g_updates[1].flags, static_cast<DWORD>(ULW_COLORKEY));
    EXPECT_EQ(g_updates[1].key, 0x00123456u);
    EXPECT_TRUE(g_updates[1].result);
    EXPECT_TRUE(window.ExStyle() & WS_EX_LAYERED);
}

TEST_F(LayeredWindowTest, ConstantAlphaWorksOnAnyPicture)
{
    maker.SetUseConstantAlpha(true);
    maker.SetAlpha(128);
    maker.Apply(window.Get(), &bitmap24);
    ASSERT_EQ(g_updates.size(), 1u);
    EXPECT_EQ(g_updates[0].flags, static_cast<DWORD>(ULW_ALPHA));
    EXPECT_EQ(g_updates[0].blend.SourceConstantAlpha, 128);

    maker.SetPerPixelAlpha(true);
    maker.Apply(window.Get(), &bitmap32);
    EXPECT_EQ(g_updates.back().blend.SourceConstantAlpha, 128);
    EXPECT_EQ(g_updates.back().blend.AlphaFormat, AC_SRC_ALPHA);
}

TEST_F(LayeredWindowTest, UpdatePutsThePictureAtTheWindowsPlace)
{
    maker.SetColorKeyEnabled(true);
    maker.Apply(window.Get(), &bitmap24);
    ASSERT_EQ(g_updates.size(), 1u);
    const UpdateCall& call = g_updates[0];
    EXPECT_EQ(call.window, window.Get());
    EXPECT_EQ(call.destination.x, 130);
    EXPECT_EQ(call.destination.y, 90);
    EXPECT_EQ(call.size.cx, 30);
    EXPECT_EQ(call.size.cy, 20);
    EXPECT_EQ(call.source.x, 0);
    EXPECT_EQ(call.source.y, 0);
    EXPECT_EQ(call.sourceBitmap, bitmap24.Handle());
    // The bitmap is given back: its canvas can draw on it again.
    bitmap24.Canvas().Brush().SetColor(forms::clWhite);
    bitmap24.Canvas().FillRect(forms::TRect(0, 0, 30, 20));
    EXPECT_EQ(bitmap24.ScanLine(5)[3 * 5], 0xFF);
}

TEST_F(LayeredWindowTest, StylesFollowTheSettings)
{
    maker.SetClickThrough(true);
    maker.SetColorKeyEnabled(true);
    maker.Apply(window.Get(), &bitmap24);
    EXPECT_EQ(window.ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT),
              static_cast<DWORD>(WS_EX_LAYERED | WS_EX_TRANSPARENT));

    // Nothing asks for a layered window any more: the layered style goes, click-through stays.
    maker.SetColorKeyEnabled(false);
    maker.Apply(window.Get(), &bitmap24);
    EXPECT_EQ(window.ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), static_cast<DWORD>(WS_EX_TRANSPARENT));
    EXPECT_EQ(g_updates.size(), 1u);

    maker.SetColorKeyEnabled(true);
    maker.Apply(window.Get(), &bitmap24);
    maker.Remove(window.Get());
    EXPECT_EQ(window.ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT), 0u);
    // Other extended styles are left alone.
    SetWindowLongW(window.Get(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    maker.Apply(window.Get(), &bitmap24);
    EXPECT_TRUE(window.ExStyle() & WS_EX_TOOLWINDOW);
}

TEST_F(LayeredWindowTest, WithoutTheSystemCallOnlyTheStylesChange)
{
    maker.SetUpdateLayeredWindow(nullptr);
    maker.SetColorKeyEnabled(true);
    maker.Apply(window.Get(), &bitmap24);
    EXPECT_TRUE(window.ExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(g_updates.empty());
}

} // namespace
