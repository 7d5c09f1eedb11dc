#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "CMaskControl.h"
#include "CMaskControlMK.h"
#include "DialogTestBed.h"
#include "TConfirmDlg.h"
#include "TRenameDlg.h"
#include "forms/GdiHandles.h"
#include "forms/Label.h"
#include "forms/Timer.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsButton.h"

using namespace dialogtest;

namespace {

forms::RegionHandle WindowRegion(HWND window)
{
    forms::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) == ERROR)
        region.Reset();
    return region;
}

// Pixels whose place inside or outside the window's region disagrees with the picture's key colour.
int ShapeMismatches(forms::TForm& dialog, forms::TBitmap& picture)
{
    const forms::RegionHandle region = WindowRegion(dialog.Handle());
    int mismatches = region ? 0 : -1;
    for (int y = 0; region && y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            mismatches += (PtInRegion(region.Get(), x, y) != 0) == (PixelOf(picture, x, y) == 0xFF00FF);
    return mismatches;
}

// The dialog's ModalResult after a click on the button.
int ResultOf(forms::TForm& dialog, forms::TWinControl* button)
{
    dialog.SetModalResult(0);
    formtest::Click(button->Handle(), 4, 4);
    return dialog.ModalResult();
}

}  // namespace

TEST_F(DialogTest, RenameDialogIsShapedTranslatedAndEndsWithItsButtonsResult)
{
    TRenameDlg dialog(main);
    auto popup = Picture(L"popup\\popup.png");
    EXPECT_EQ(dialog.Width(), popup->Width());
    EXPECT_EQ(dialog.Height(), popup->Height());
    EXPECT_EQ(ShapeMismatches(dialog, *popup), 0);
    EXPECT_EQ(dialog.OkButton->Caption(), L"OK");
    EXPECT_EQ(dialog.CancelButton->Caption(), L"Abbrechen");
    EXPECT_EQ(dialog.CloseButton->Caption(), L"");
    EXPECT_EQ(dialog.OrLabel->Caption(), L"oder ");
    EXPECT_EQ(dialog.TitleLabel->Caption(), L"F");
    EXPECT_EQ(ResultOf(dialog, dialog.OkButton), 1);
    EXPECT_EQ(ResultOf(dialog, dialog.CancelButton), 2);
    EXPECT_EQ(ResultOf(dialog, dialog.CloseButton), 2);

    // A caller's run: the texts written, a name typed longer than the field takes, OK.
    dialog.MessageLabel->SetCaption(L"Media Player");
    dialog.TitleLabel->SetCaption(L"F3");
    dialog.NameEdit->SetText(L"Old");
    dialog.NameEdit->SelectAll();
    forms::TTimer timer(nullptr);
    timer.SetInterval(20);
    bool typedIntoTheField = false;
    timer.OnTimer = [&](forms::TObject*) {
        timer.SetEnabled(false);
        typedIntoTheField = GetFocus() == dialog.NameEdit->Handle();
        for (int i = 0; i < 25; ++i)
            SendMessageW(dialog.NameEdit->Handle(), WM_CHAR, L'a' + i, 1);
        formtest::Click(dialog.OkButton->Handle(), 4, 4);
    };
    EXPECT_EQ(dialog.ShowModal(), 1);
    EXPECT_TRUE(typedIntoTheField);
    EXPECT_EQ(dialog.NameEdit->Text(), L"abcdefghijklmnopqrst");
    EXPECT_EQ(dialog.Left(), main->Left() + (main->Width() - dialog.Width()) / 2);
    EXPECT_EQ(dialog.Top(), main->Top() + (main->Height() - dialog.Height()) / 2);
}

TEST_F(DialogTest, ConfirmDialogIsShapedTranslatedAndEndsWithItsButtonsResult)
{
    TConfirmDlg dialog(main);
    auto popup = Picture(L"popup\\popup.png");
    EXPECT_EQ(ShapeMismatches(dialog, *popup), 0);
    EXPECT_EQ(dialog.TitleLabel->Caption(), L"Delete");
    EXPECT_EQ(dialog.ConfirmButton->Caption(), L"Delete");
    EXPECT_EQ(dialog.CancelButton->Caption(), L"Abbrechen");
    EXPECT_EQ(ResultOf(dialog, dialog.ConfirmButton), 1);
    EXPECT_EQ(ResultOf(dialog, dialog.CancelButton), 2);
    EXPECT_EQ(ResultOf(dialog, dialog.CloseButton), 2);
    // A long message wraps inside its fixed box.
    dialog.MessageLabel->SetCaption(std::wstring(400, L'w'));
    EXPECT_EQ(dialog.MessageLabel->BoundsRect(), forms::Bounds(48, 45, 217, 90));
}

TEST_F(DialogTest, OverlaysCoverTheMainWindowInItsShapeOneOfEachKind)
{
    CMaskControl* mask = CMaskControl::Instance();
    mask->ShowMask(main);
    TMaskForm* first = mask->Mask();
    const forms::TLiveness firstAlive = first->Liveness();
    mask->ShowMask(main);
    TMaskForm* overlay = mask->Mask();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(IsWindowVisible(first->Handle()));
    EXPECT_TRUE(formtest::PumpUntil([&] { return !firstAlive; }));

    const HWND window = overlay->Handle();
    RECT overlayRect{}, mainRect{};
    GetWindowRect(window, &overlayRect);
    GetWindowRect(main->Handle(), &mainRect);
    EXPECT_TRUE(EqualRect(&overlayRect, &mainRect));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_POPUP | WS_CHILD), static_cast<LONG>(WS_POPUP | WS_CHILD));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW),
              WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindow(window, GW_OWNER), main->Handle());
    EXPECT_TRUE(EqualRgn(WindowRegion(window).Get(), WindowRegion(main->Handle()).Get()));

    // The recording twin at the same time; a click on it says nothing, one on the dimming overlay asks the
    // main window to close the key-step dialog.
    CMaskControlMK::GetInstance()->Show(main);
    ASSERT_NE(CMaskControlMK::GetInstance()->Mask(), nullptr);
    formtest::Click(CMaskControlMK::GetInstance()->Mask()->Handle(), 300, 300);
    formtest::Click(window, 100, 100);
    EXPECT_EQ(main->subCodes, std::vector<WPARAM>{MKM_CLOSE_EDIT});
    mask->HideMask();
    EXPECT_EQ(mask->Mask(), nullptr);
    EXPECT_TRUE(IsWindowVisible(CMaskControlMK::GetInstance()->Mask()->Handle()));
    CMaskControlMK::GetInstance()->Hide();
    mask->HideMask();  // nothing to hide

    // Nothing is laid over a hidden window.
    formtest::TestForm hidden;
    mask->ShowMask(&hidden);
    EXPECT_EQ(mask->Mask(), nullptr);
}

TEST_F(DialogTest, AnInnerDimLeavesTheOuterOneUntilItEnds)
{
    CMaskControl* mask = CMaskControl::Instance();
    {
        const MainWindowDim outer(main);
        TMaskForm* overlay = mask->Mask();
        ASSERT_NE(overlay, nullptr);
        for (int i = 0; i < 2; ++i) {
            const MainWindowDim inner(main);
            EXPECT_EQ(mask->Mask(), overlay) << "no second overlay";
        }
        EXPECT_EQ(mask->Mask(), overlay);
        EXPECT_TRUE(IsWindowVisible(overlay->Handle())) << "the outer dialog is still dimmed";
    }
    EXPECT_EQ(mask->Mask(), nullptr);
}

TEST_F(DialogTest, MissingPicturesLeaveUsableWindows)
{
    const std::wstring folder = GetExeFolder() + L"resource";
    ASSERT_TRUE(MoveFileW(folder.c_str(), (folder + L".away").c_str()));
    struct PutBack {
        std::wstring folder;
        ~PutBack() { MoveFileW((folder + L".away").c_str(), folder.c_str()); }
    } putBack{folder};

    TRenameDlg rename(main);
    TConfirmDlg confirm(main);
    for (forms::TForm* dialog : {static_cast<forms::TForm*>(&rename), static_cast<forms::TForm*>(&confirm)}) {
        EXPECT_GT(dialog->Width(), 0);
        EXPECT_FALSE(WindowRegion(dialog->Handle()));  // no shape that could hide it
    }
    CMaskControl::Instance()->ShowMask(main);
    EXPECT_NE(CMaskControl::Instance()->Mask(), nullptr);
    CMaskControl::Instance()->HideMask();
}
