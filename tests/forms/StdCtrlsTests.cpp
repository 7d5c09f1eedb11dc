#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "forms/Edit.h"
#include "forms/GdiHandles.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/ListBox.h"

using namespace forms;
using namespace formtest;

namespace {

// Width and height of a text in a font, measured the way DrawText measures.
TSize Measure(const std::wstring& text, TFont& font, UINT flags = DT_EXPANDTABS | DT_CALCRECT)
{
    WindowDC screen(nullptr);
    SelectedObject selected(screen.Get(), font.Handle());
    RECT r{0, 0, 0, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, flags);
    return {r.right, r.bottom};
}

}  // namespace

TEST(LabelFlags, FollowAlignmentWrapPrefixAndEllipsis)
{
    EXPECT_EQ(LabelTextFlags(taLeftJustify, false, true, epNone, true, false), static_cast<UINT>(DT_EXPANDTABS | DT_LEFT));
    EXPECT_EQ(LabelTextFlags(taCenter, true, true, epNone, true, false),
              static_cast<UINT>(DT_EXPANDTABS | DT_CENTER | DT_WORDBREAK));
    EXPECT_EQ(LabelTextFlags(taRightJustify, false, false, epNone, true, true),
              static_cast<UINT>(DT_EXPANDTABS | DT_RIGHT | DT_NOPREFIX | DT_CALCRECT));
    // Ellipsis only when the label does not size itself, and never while measuring.
    EXPECT_EQ(LabelTextFlags(taLeftJustify, false, true, epPathEllipsis, false, false),
              static_cast<UINT>(DT_LEFT | DT_PATH_ELLIPSIS));
    EXPECT_EQ(LabelTextFlags(taLeftJustify, false, true, epEndEllipsis, false, false),
              static_cast<UINT>(DT_LEFT | DT_END_ELLIPSIS));
    EXPECT_EQ(LabelTextFlags(taLeftJustify, false, true, epPathEllipsis, true, false),
              static_cast<UINT>(DT_EXPANDTABS | DT_LEFT));
    EXPECT_EQ(LabelTextFlags(taLeftJustify, false, true, epWordEllipsis, false, true),
              static_cast<UINT>(DT_EXPANDTABS | DT_LEFT | DT_CALCRECT));
}

class StdCtrlsTest : public WindowTest {
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
        WindowTest::TearDown();
    }
    static TestForm* host;
};

TestForm* StdCtrlsTest::host = nullptr;

TEST_F(StdCtrlsTest, LabelSizesToItsTextOnlyWhenTextFontOrWrapChange)
{
    TLabel label(nullptr);  // no parent, hidden: measures all the same
    label.Hide();
    label.Font().SetName(L"Arial");
    label.Font().SetHeight(14);
    label.SetBounds(10, 20, 100, 14);
    EXPECT_EQ(label.Width(), 100);  // nothing to measure yet: the size holds until the text is set
    label.SetCaption(L"Press and hold");
    const TSize size = Measure(L"Press and hold", label.Font());
    EXPECT_EQ(label.Width(), size.cx);
    EXPECT_EQ(label.Height(), size.cy);
    EXPECT_EQ(label.Left(), 10);

    label.SetWidth(64);
    label.SetAlignment(taCenter);
    EXPECT_EQ(label.Width(), 64);  // neither a width nor an alignment change measures again
    label.Font().SetHeight(20);
    EXPECT_EQ(label.Width(), Measure(L"Press and hold", label.Font()).cx);

    label.SetCaption(L"");
    EXPECT_EQ(label.Width(), Measure(L" ", label.Font()).cx);  // an empty label measures as one blank
    EXPECT_GT(label.Height(), 0);
}

TEST_F(StdCtrlsTest, RightJustifiedLabelKeepsItsRightEdge)
{
    TLabel label(nullptr);
    label.SetAlignment(taRightJustify);
    label.SetBounds(100, 0, 50, 17);
    label.SetCaption(L"Wide text here");
    EXPECT_EQ(label.BoundsRect().Right, 150);
}

TEST_F(StdCtrlsTest, WordWrappedLabelGrowsDownward)
{
    TLabel label(nullptr);
    label.SetBounds(0, 0, 60, 17);
    label.SetWordWrap(true);
    label.SetCaption(L"one two three four five six");
    EXPECT_LE(label.Width(), 60);
    EXPECT_GT(label.Height(), Measure(L"one", label.Font()).cy);
    label.SetAutoSize(false);
    label.SetCaption(L"x");
    EXPECT_GT(label.Height(), 20);  // without AutoSize the size stays
}

TEST_F(StdCtrlsTest, LabelPaintsItsBackgroundUnlessTransparentAndPlacesTheText)
{
    TComponent scope(nullptr);
    host->SetColor(RGB(0, 0, 90));
    auto* opaque = new TLabel(&scope);
    opaque->SetParent(host);
    opaque->SetColor(RGB(200, 200, 0));
    opaque->SetCaption(L"I");
    opaque->SetAutoSize(false);
    opaque->SetBounds(0, 0, 40, 40);
    auto* clear = new TLabel(&scope);
    clear->SetParent(host);
    clear->SetTransparent(true);
    clear->SetCaption(L"I");
    clear->SetBounds(50, 0, 40, 40);
    // A centred layout puts one line in the middle: the top rows stay background.
    auto* centred = new TLabel(&scope);
    centred->SetParent(host);
    centred->SetAutoSize(false);
    centred->SetColor(RGB(255, 255, 255));
    centred->Font().SetColor(RGB(0, 0, 0));
    centred->Font().SetHeight(-12);
    centred->SetLayout(tlCenter);
    centred->SetAlignment(taCenter);
    centred->SetCaption(L"\x2588\x2588\x2588");  // full blocks
    centred->SetBounds(100, 0, 80, 80);
    host->Update();
    const Snapshot shot(host->Handle());
    EXPECT_EQ(shot.At(39, 39), RGB(200, 200, 0));
    EXPECT_EQ(shot.At(89, 39), RGB(0, 0, 90));
    EXPECT_EQ(shot.At(140, 3), RGB(255, 255, 255));
    EXPECT_EQ(shot.At(140, 40), RGB(0, 0, 0));
}

TEST_F(StdCtrlsTest, DisabledLabelDrawsGrey)
{
    TComponent scope(nullptr);
    auto* label = new TLabel(&scope);
    label->SetParent(host);
    label->SetAutoSize(false);
    label->SetColor(RGB(255, 255, 255));
    label->Font().SetHeight(-40);
    label->SetCaption(L"\x2588");
    label->SetBounds(0, 0, 60, 60);
    label->SetEnabled(false);
    host->Update();
    const Snapshot shot(host->Handle());
    bool grey = false;
    for (int x = 0; x < 60 && !grey; ++x)
        for (int y = 0; y < 60 && !grey; ++y)
            grey = shot.At(x, y) == GetSysColor(COLOR_GRAYTEXT);
    EXPECT_TRUE(grey);
}

TEST_F(StdCtrlsTest, EditRaisesOnChangeExactlyWhenTheTextChanges)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText(L"100");  // before the window exists
    EXPECT_EQ(changes, 1);
    edit->SetParent(host);
    EXPECT_EQ(edit->Text(), L"100");
    EXPECT_EQ(changes, 1);  // making the window is no change
    edit->SetText(L"100");
    EXPECT_EQ(changes, 1);
    edit->SetText(L"250");
    EXPECT_EQ(changes, 2);
    edit->SetSelStart(3);
    SendMessageW(edit->Handle(), WM_CHAR, L'7', 0);  // typing
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(edit->Text(), L"2507");
}

TEST_F(StdCtrlsTest, KeyPressCanCancelCharactersIncludingClipboardKeys)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    edit->SetParent(host);
    edit->SetText(L"ab");
    edit->OnKeyPress = [](TObject*, wchar_t& key) {
        if (key < L' ' || key == L'x')
            key = 0;
        else if (key == L'q')
            key = L'Q';
    };
    edit->SetSelStart(2);
    SendMessageW(edit->Handle(), WM_CHAR, L'x', 0);
    SendMessageW(edit->Handle(), WM_CHAR, L'q', 0);
    SendMessageW(edit->Handle(), WM_CHAR, 0x16, 0);  // Ctrl+V arrives as a character
    EXPECT_EQ(edit->Text(), L"abQ");
}

TEST_F(StdCtrlsTest, EditStylesLimitsAndSelection)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    edit->SetMaxLength(4);
    edit->SetNumbersOnly(true);
    edit->SetAlignment(taCenter);
    edit->SetBorderStyle(bsNone);
    edit->SetHideSelection(false);
    edit->SetAutoSize(false);
    edit->SetBounds(5, 5, 33, 17);
    edit->SetParent(host);
    const LONG_PTR style = GetWindowLongPtrW(edit->Handle(), GWL_STYLE);
    EXPECT_NE(style & ES_NUMBER, 0);
    EXPECT_NE(style & ES_CENTER, 0);
    EXPECT_NE(style & ES_NOHIDESEL, 0);
    EXPECT_EQ(GetWindowLongPtrW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_EQ(edit->Height(), 17);
    EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 4);
    for (wchar_t c : std::wstring(L"123456"))
        SendMessageW(edit->Handle(), WM_CHAR, c, 0);
    EXPECT_EQ(edit->Text(), L"1234");
    edit->SelectAll();
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 4);
    edit->SetReadOnly(true);
    EXPECT_NE(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(StdCtrlsTest, DisablingTheFocusedEditFiresOnExitAtOnce)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    edit->SetParent(host);
    std::vector<std::string> log;
    edit->OnEnter = [&](TObject*) { log.push_back("enter"); };
    edit->OnExit = [&](TObject*) { log.push_back("exit"); };
    edit->SetFocus();
    ASSERT_TRUE(edit->Focused());
    edit->SetEnabled(false);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(StdCtrlsTest, EditColoursComeFromColorAndFont)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    edit->SetBorderStyle(bsNone);
    edit->SetColor(RGB(0, 0, 0));
    edit->Font().SetColor(RGB(0xD2, 0xD2, 0xD2));
    edit->SetBounds(0, 0, 80, 20);
    edit->SetParent(host);
    UpdateWindow(edit->Handle());
    const Snapshot shot(edit->Handle());
    EXPECT_EQ(shot.At(75, 10), RGB(0, 0, 0));
}

TEST_F(StdCtrlsTest, OnlyAFramedEditGetsAFrameDrawn)
{
    TComponent scope(nullptr);
    host->SetColor(RGB(0, 0, 250));
    TEdit* edits[2] = {new TEdit(&scope), new TEdit(&scope)};
    for (int i = 0; i < 2; ++i) {
        edits[i]->SetBorderStyle(i == 0 ? bsSingle : bsNone);
        edits[i]->SetAutoSize(false);
        edits[i]->SetColor(RGB(250, 250, 0));
        edits[i]->SetBounds(10, 10 + 40 * i, 80, 24);
        edits[i]->SetParent(host);
    }
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Snapshot shot(host->Handle());
    // The framed box has its sunken edge outside its client area; the other box fills its whole window.
    EXPECT_EQ(shot.At(10, 10), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(shot.At(11, 11), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(shot.At(10, 50), RGB(250, 250, 0));
    EXPECT_EQ(shot.At(89, 73), RGB(250, 250, 0));
}

TEST_F(StdCtrlsTest, BorderStyleChangesTheFrameOfALiveWindowKeepingItsSize)
{
    TComponent scope(nullptr);
    auto* edit = new TEdit(&scope);
    edit->SetAutoSize(false);
    auto* list = new TListBox(&scope);
    const std::pair<TWinControl*, void (*)(TWinControl*, TBorderStyle)> controls[] = {
        {edit, [](TWinControl* c, TBorderStyle b) { static_cast<TEdit*>(c)->SetBorderStyle(b); }},
        {list, [](TWinControl* c, TBorderStyle b) { static_cast<TListBox*>(c)->SetBorderStyle(b); }},
    };
    for (const auto& [control, setBorder] : controls) {
        control->SetBounds(10, 10, 100, 60);
        control->SetParent(host);
        const auto clientWidth = [control] {
            RECT r{};
            GetClientRect(control->Handle(), &r);
            return r.right;
        };
        ASSERT_EQ(clientWidth(), 100 - 2 * GetSystemMetrics(SM_CXEDGE));
        setBorder(control, bsNone);
        EXPECT_EQ(GetWindowLongPtrW(control->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
        EXPECT_EQ(clientWidth(), 100);
        setBorder(control, bsSingle);
        EXPECT_EQ(clientWidth(), 100 - 2 * GetSystemMetrics(SM_CXEDGE));
        EXPECT_EQ(control->Width(), 100);
    }
}

TEST_F(StdCtrlsTest, OnlyAFramedEditSizesItselfToItsFont)
{
    TComponent scope(nullptr);
    TEdit* edits[2] = {new TEdit(&scope), new TEdit(&scope)};
    for (int i = 0; i < 2; ++i) {
        edits[i]->SetBounds(5, 5, 33, 17);
        edits[i]->SetBorderStyle(i == 0 ? bsSingle : bsNone);
        edits[i]->Font().SetHeight(-30);
        edits[i]->SetParent(host);
    }
    EXPECT_GT(edits[0]->Height(), 30);
    EXPECT_EQ(edits[1]->Height(), 17) << "without a frame the set height stays";
    edits[1]->SetBorderStyle(bsSingle);
    EXPECT_EQ(edits[1]->Height(), edits[0]->Height()) << "a frame added later sizes the box";
}

TEST_F(StdCtrlsTest, SeeThroughEditShowsTheParentsDrawingBehindIt)
{
    class Stripes : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;

    protected:
        void Paint() override
        {
            Canvas().Brush().SetColor(RGB(250, 0, 0));
            Canvas().FillRect(TRect{0, 0, Width(), Height() / 2});
            Canvas().Brush().SetColor(RGB(0, 250, 0));
            Canvas().FillRect(TRect{0, Height() / 2, Width(), Height()});
        }
    };
    TComponent scope(nullptr);
    auto* skin = new Stripes(&scope);
    skin->SetParent(host);
    skin->SetBounds(0, 0, 300, 40);
    auto* edit = new TEdit(&scope);
    edit->SetBorderStyle(bsNone);
    edit->SetAutoSize(false);
    edit->SetColor(clNone);
    edit->SetBounds(10, 10, 100, 20);  // from y 10 to 30: red above 20, green below
    edit->SetParent(host);
    edit->SetText(L"");
    RedrawWindow(host->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Snapshot shot(edit->Handle());
    EXPECT_EQ(shot.At(90, 2), RGB(250, 0, 0));
    EXPECT_EQ(shot.At(90, 17), RGB(0, 250, 0));
}

TEST_F(StdCtrlsTest, ListBoxRowsSelectionAndClicks)
{
    TComponent scope(nullptr);
    auto* list = new TListBox(&scope);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    list->SetBorderStyle(bsNone);
    list->SetBounds(0, 0, 120, 80);
    list->Items().Add(L"game");
    list->SetParent(host);
    list->Items().Add(L"work");
    list->Items().Add(L"music");
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMHEIGHT, 0, 0), 16);
    EXPECT_EQ(list->ItemIndex(), -1);

    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    Click(list->Handle(), 10, 16 + 5);  // the second row
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);

    list->Items().Delete(1);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Items()[1], L"music");
    list->SetItemIndex(5);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->Items().Clear();
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(StdCtrlsTest, OwnerDrawnRowsGetAPreparedCanvasAndTheirState)
{
    TComponent scope(nullptr);
    auto* list = new TListBox(&scope);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetBorderStyle(bsNone);
    list->SetColor(RGB(0, 0, 0));
    list->SetBounds(0, 0, 120, 64);
    for (const wchar_t* name : {L"a", L"b", L"c"})
        list->Items().Add(name);
    std::vector<std::pair<int, bool>> drawn;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, list);
        drawn.emplace_back(index, (state & odSelected) != 0);
        TCanvas& canvas = list->Canvas();
        if (state & odSelected)
            canvas.Brush().SetColor(RGB(0x33, 0, 0));
        canvas.FillRect(rect);
        canvas.TextRect(rect, rect.Left, rect.Top, list->Items()[index]);
    };
    list->SetItemIndex(2);
    list->SetParent(host);
    UpdateWindow(list->Handle());
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(2, true)), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(0, false)), drawn.end());
    const Snapshot shot(list->Handle());
    EXPECT_EQ(shot.At(100, 2 * 16 + 8), RGB(0x33, 0, 0));
    EXPECT_EQ(shot.At(100, 8), RGB(0, 0, 0));
}

TEST_F(StdCtrlsTest, ImageSizesToItsPictureAndPaintsItUnscaled)
{
    TComponent scope(nullptr);
    auto* image = new TImage(&scope);
    image->SetParent(host);
    image->SetBounds(5, 6, 50, 50);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 0);  // an empty picture: the picture's size
    image->Picture().Bitmap().SetSize(20, 30);
    EXPECT_EQ(image->BoundsRect(), (TRect{5, 6, 25, 36}));
    TBitmap wide(0, 10);
    image->Picture().Assign(&wide);  // a side of 0 leaves the size alone
    EXPECT_EQ(image->Width(), 20);

    TBitmap picture(4, 4, pf24bit);
    picture.Canvas().Brush().SetColor(RGB(9, 200, 9));
    picture.Canvas().FillRect(TRect{0, 0, 4, 4});
    image->SetAutoSize(false);
    image->SetBounds(5, 6, 50, 50);
    image->Picture().Assign(&picture);
    EXPECT_EQ(image->Width(), 50);
    host->Update();
    const Snapshot shot(host->Handle());
    EXPECT_EQ(shot.At(5 + 3, 6 + 3), RGB(9, 200, 9));
    EXPECT_NE(shot.At(5 + 10, 6 + 10), RGB(9, 200, 9));
}
