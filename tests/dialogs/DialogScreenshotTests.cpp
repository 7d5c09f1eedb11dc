// The rename and confirmation dialogs side by side over the stand-in main window; the screen is kept as
// dialogs-screenshot.png beside the test program.

#include <gtest/gtest.h>

#include "DialogTestBed.h"
#include "Screenshot.h"
#include "TConfirmDlg.h"
#include "TRenameDlg.h"
#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsButton.h"

using namespace dialogtest;

TEST_F(DialogTest, ScreenshotShowsBothDialogsShapedAndSkinned)
{
    TRenameDlg rename(main);
    rename.TitleLabel->SetCaption(L"F3");
    rename.MessageLabel->SetCaption(L"Media Player");
    rename.NameEdit->SetText(L"Media Player");
    TConfirmDlg confirm(main);
    confirm.TitleLabel->SetCaption(L"Clean all");
    confirm.MessageLabel->SetCaption(L"Are you sure you want to clean all function key settings ?");
    confirm.ConfirmButton->SetCaption(L"Yes");
    forms::TForm* dialogs[] = {&rename, &confirm};
    for (int i = 0; i < 2; ++i) {
        dialogs[i]->SetPosition(forms::poDesigned);
        dialogs[i]->SetBounds(main->Left() + 50 + i * 330, main->Top() + 60, dialogs[i]->Width(), dialogs[i]->Height());
        dialogs[i]->Show();
    }
    formtest::PumpFor(500);
    const Screenshot screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    screen.Save(GetExeFolder() + L"dialogs-screenshot.png");

    auto popup = Picture(L"popup\\popup.png");
    for (forms::TForm* dialog : dialogs) {
        SCOPED_TRACE(dialog->Name());
        auto shown = [&](int x, int y) { return screen.At(dialog->Left() + x, dialog->Top() + y); };
        int keyPixels = 0, cutOut = 0, plain = 0, titleInk = 0, buttonInk = 0;
        for (int y = 0; y < popup->Height(); ++y)
            for (int x = 0; x < popup->Width(); ++x) {
                const std::uint32_t drawn = PixelOf(*popup, x, y);
                const bool differs = shown(x, y) != drawn;
                if (drawn == 0xFF00FF) {
                    ++keyPixels;
                    cutOut += shown(x, y) == kBackdrop;
                } else if (y == 140 && x >= 20 && x < 260) {  // the calm body under the field / message
                    plain += !differs;
                } else if (y >= 4 && y < 22 && x >= 11 && x < 40) {
                    titleInk += differs;
                } else if (y >= 155 && y < 181 && x >= 58 && x < 154) {  // left button
                    buttonInk += differs;
                }
            }
        EXPECT_GT(keyPixels, 0);
        EXPECT_EQ(cutOut, keyPixels);  // the shape: the main window shows through
        EXPECT_EQ(plain, 240);         // the skin, pixel for pixel
        EXPECT_GT(titleInk, 20);       // the title is written
        EXPECT_GT(buttonInk, 500);     // the button's face and caption
    }
    rename.Hide();
    confirm.Hide();
}
