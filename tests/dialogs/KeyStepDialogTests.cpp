// The key-step dialog: shaped by its first picture whatever kind it shows, the field of each kind, and
// the keyboard hook installed while it shows.

#include <gtest/gtest.h>

#include "DialogTestBed.h"
#include "Screenshot.h"
#include "TOneKeyEditDlg.h"
#include "forms/Edit.h"
#include "gui/controls/GsImage.h"

using namespace dialogtest;

TEST_F(DialogTest, KeyStepDialogKeepsItsShapeShowsEachKindAndHooksWhileShown)
{
    TOneKeyEditDlg dialog(main);
    auto shape = Picture(L"combined_key\\action\\key_down_d.png");
    EXPECT_EQ(dialog.Width(), shape->Width());
    EXPECT_EQ(dialog.Height(), shape->Height());
    EXPECT_FALSE(dialog.Edit1->Enabled());

    struct Case {
        int kind;
        const wchar_t* picture;
        int fieldWidth;
    };
    for (const Case& c : {Case{3, L"time_d.png", 45}, Case{2, L"key_up_d.png", 65}, Case{9, L"key_up_d.png", 65}}) {
        dialog.SetKind(c.kind);
        auto expected = Picture(std::wstring(L"combined_key\\action\\") + c.picture);
        EXPECT_EQ(dialog.Edit1->Width(), c.fieldWidth) << c.kind;
        EXPECT_EQ(PixelOf(dialog.Picture->Picture().Bitmap(), 80, 18), PixelOf(*expected, 80, 18)) << c.kind;
    }

    dialog.SetKind(3);
    dialog.Edit1->SetText(L"250");
    dialog.Show();
    dialog.SetPosition(main->Left() + 40, main->Top() + 50);
    formtest::PumpFor(300);
    const Screenshot screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    screen.Save(GetExeFolder() + L"key-step-screenshot.png");
    auto time = Picture(L"combined_key\\action\\time_d.png");
    const auto shown = [&](int x, int y) { return screen.At(dialog.Left() + x, dialog.Top() + y); };
    EXPECT_EQ(shown(0, 0), kBackdrop) << "cut to the picture's shape";
    EXPECT_EQ(shown(80, 18), PixelOf(*time, 80, 18)) << "the delay picture";
    dialog.Close();
    EXPECT_FALSE(dialog.Visible());
}
