// The profile box on screen. Each test opens the one box modally in a mode, acts inside the modal
// run as a user does (clicks and typing as window messages, dragging with the real pointer) and
// checks the profile folder, the buttons and the screen. Screenshots of both modes are kept as
// profilebox-save.png and profilebox-load.png beside the test program.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "PngEncoder.h"
#include "ScratchFolder.h"
#include "TfrmProfileBox.h"
#include "WindowTestSupport.h"
#include "forms/Rtl.h"
#include "forms/Timer.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/Mycommonfunc.h"
#include "ProfileBroadcast.h"

namespace {

using formtest::PumpFor;

// Showing and hiding a window costs seconds under the test display: one box for the whole run.
TfrmProfileBox& Box()
{
    if (!frmProfileBox)
        frmProfileBox = new TfrmProfileBox(nullptr);
    return *frmProfileBox;
}

class BoxEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete frmProfileBox;
        frmProfileBox = nullptr;
    }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new BoxEnvironment);

// Counts the load requests that reach a top-level window of this program.
class BroadcastReceiver {
public:
    BroadcastReceiver()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ProfileBoxTestReceiver";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        requests = 0;
    }
    ~BroadcastReceiver() { DestroyWindow(window_); }

    static inline int requests = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (IsLoadProfileRequest(message, wParam))
            ++requests;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_;
};

// The screen under the box, as 0x00BBGGRR colours.
class BoxPicture {
public:
    BoxPicture()
    {
        RECT r{};
        GetWindowRect(Box().Handle(), &r);
        width_ = r.right - r.left;
        height_ = r.bottom - r.top;
        picture_.SetPixelFormat(forms::pf32bit);
        picture_.SetSize(width_, height_);
        const HDC screen = GetDC(nullptr);
        BitBlt(picture_.Canvas().Handle(), 0, 0, width_, height_, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    COLORREF At(int x, int y) { return Colour(picture_, x, y); }
    void Save(const std::wstring& name)
    {
        RgbaPicture out(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const COLORREF c = At(x, y);
                out.at(x, y) = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        WritePngFile(forms::ExtractFilePath(forms::Application().ExeName()) + name, out, false);
    }
    static COLORREF Colour(forms::TBitmap& bitmap, int x, int y)
    {
        const auto* p = bitmap.ScanLine(y) + 4 * x;
        return RGB(p[2], p[1], p[0]);
    }

private:
    int width_ = 0;
    int height_ = 0;
    forms::TBitmap picture_;
};

class ProfileBoxTest : public formtest::WindowTest {
protected:
    // Opens the box modally and runs `steps` inside the modal run; closes the box afterwards if the
    // steps left it open. Returns the modal result.
    int RunModal(const std::function<void()>& steps)
    {
        forms::TTimer start(nullptr);
        start.SetInterval(1);
        start.OnTimer = [&](forms::TObject*) {
            start.SetEnabled(false);
            PumpFor(100);
            steps();
            if (Box().ModalResult() == forms::mrNone)
                Box().Close();
        };
        return Box().ShowModal();
    }

    static void Click(forms::TWinControl& control, int x, int y) { formtest::Click(control.Handle(), x, y); }
    static void Click(gs::GsButton* button) { Click(*button, button->Width() / 2, button->Height() / 2); }
    static void ClickRow(int row) { Click(*Box().lsList, 20, row * 16 + 8); }
    static void Type(const std::wstring& text)
    {
        for (const wchar_t c : text)
            SendMessageW(Box().edNew->Handle(), WM_CHAR, c, 0);
    }
    static std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        for (int i = 0; i < Box().lsList->Items().Count(); ++i)
            rows.push_back(Box().lsList->Items()[i]);
        return rows;
    }
    static bool Open() { return Box().ModalResult() == forms::mrNone; }

    void WriteProfiles(const std::vector<std::wstring>& names)
    {
        CreateDirectoryW(folder.File(L"Profile").c_str(), nullptr);
        for (const std::wstring& name : names)
            folder.WriteAnsi(L"Profile\\" + name + L".mck", "[F1]\r\nType=0\r\n");
    }
    std::wstring Profile(const std::wstring& name) const { return folder.File(L"Profile\\" + name + L".mck"); }

    // Checks the pixels that follow from the background picture and the fixed colours.
    void CheckScreen(BoxPicture& shot, forms::TBitmap& background, int listTop)
    {
        // Title strip beside the title, and the bottom edge: the background picture.
        for (const POINT p : {POINT{200, 14}, POINT{140, background.Height() - 4}})
            EXPECT_EQ(shot.At(p.x, p.y), BoxPicture::Colour(background, p.x, p.y)) << p.x << "," << p.y;
        // The selected first row is dark red right of its text; the free rows below are black.
        EXPECT_EQ(shot.At(240, listTop + 3 + 8), COLORREF(0x000033));
        EXPECT_EQ(shot.At(240, listTop + 3 + 16 * 6), COLORREF(0));
    }

    ScratchFolder folder;
};

TEST_F(ProfileBoxTest, SaveModeEnablesOnlyValidNamesDeletesAndReportsAFailedCopy)
{
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=4\r\n");
    WriteProfiles({L"one", L"two"});
    Box().PrepareProfileBox(TfrmProfileBox::kSaveMode, folder.Path());
    EXPECT_EQ(Rows(), TastroProfileManager(folder.Path()).GetProfileNames());
    std::unique_ptr<forms::TBitmap> background = LoadPopupBitmap(L"popup_save_bg.png");

    const int result = RunModal([&] {
        // Centred on the screen, above other windows, owned by nobody, the name field focused.
        const HWND box = Box().Handle();
        EXPECT_EQ(Box().Left(), GetSystemMetrics(SM_CXSCREEN) / 2 - 144);
        EXPECT_EQ(Box().Top(), GetSystemMetrics(SM_CYSCREEN) / 2 - 162);
        EXPECT_EQ(Box().Width(), 288);
        EXPECT_EQ(Box().Height(), 324);
        EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
        EXPECT_EQ(GetFocus(), Box().edNew->Handle());
        EXPECT_FALSE(Box().ActionButton->Enabled());
        EXPECT_FALSE(Box().DeleteButton->Enabled());

        const struct {
            const wchar_t* name;
            bool valid;
        } names[] = {{L"Game 1", true},     {L"gaming.v2", true},  {L"\x0420\x0430\x0431", true},
                     {L"", false},          {L"a\\b", false},      {L"..\\up", false},
                     {L"a:stream", false},  {L"what?", false},     {L"..", false},
                     {L"CON", false},       {L"lpt1.txt", false},  {L"tab\there", false}};
        for (const auto& entry : names) {
            Box().edNew->SetText(entry.name);
            EXPECT_EQ(Box().ActionButton->Enabled(), entry.valid) << forms::WideToUtf8(entry.name);
        }
        Box().edNew->SetText(L"");
        Type(std::wstring(30, L'x'));
        EXPECT_EQ(Box().edNew->Text(), std::wstring(28, L'x'));
        EXPECT_TRUE(Box().ActionButton->Enabled());

        // A click on a row copies its name and enables both buttons.
        ClickRow(0);
        const std::wstring first = Rows()[0];
        EXPECT_EQ(Box().edNew->Text(), first);
        EXPECT_TRUE(Box().DeleteButton->Enabled());
        PumpFor(100);
        BoxPicture shot;
        shot.Save(L"profilebox-save.png");
        CheckScreen(shot, *background, 126);
        EXPECT_EQ(shot.At(200, 97), COLORREF(0)) << "the name field is black";

        // Delete removes the file and the row without asking; the last one disables both buttons,
        // even with a name still typed, until the name changes.
        Click(Box().DeleteButton);
        EXPECT_FALSE(FileExists(Profile(first)));
        EXPECT_EQ(Rows().size(), 1u);
        EXPECT_EQ(Box().lsList->ItemIndex(), -1);
        ClickRow(0);
        Click(Box().DeleteButton);
        EXPECT_TRUE(Rows().empty());
        EXPECT_FALSE(Box().ActionButton->Enabled());
        EXPECT_FALSE(Box().DeleteButton->Enabled());
        Type(L"2");
        EXPECT_TRUE(Box().ActionButton->Enabled());
        EXPECT_TRUE(boxes.empty());

        // A failed copy keeps the box open and says so.
        DeleteFileW(folder.File(L"fun.cfg").c_str());
        Box().edNew->SetText(L"kept");
        Click(Box().ActionButton);
        EXPECT_TRUE(Open());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].owner, box);
        EXPECT_EQ(boxes[0].caption, L"Warning");
        EXPECT_EQ(boxes[0].text, L"The profile could not be saved.");
        EXPECT_FALSE(FileExists(Profile(L"kept")));

        // Saving over an existing profile replaces it without a question; the list stays as it was.
        folder.WriteAnsi(L"fun.cfg", "[F2]\r\nType=2\r\n");
        WriteProfiles({L"kept"});
        Click(Box().ActionButton);
        EXPECT_FALSE(Open());
    });
    EXPECT_EQ(result, forms::mrCancel);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ReadBytes(Profile(L"kept")), "[F2]\r\nType=2\r\n");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(reportedErrors.empty());
}

TEST_F(ProfileBoxTest, LoadModeRecordsTheTargetAndBroadcasts)
{
    WriteProfiles({L"alpha", L"beta"});
    BroadcastReceiver receiver;
    Box().PrepareProfileBox(TfrmProfileBox::kLoadMode, folder.Path());
    std::unique_ptr<forms::TBitmap> background = LoadPopupBitmap(L"popup_load_bg.png");

    const int result = RunModal([&] {
        EXPECT_EQ(Box().Height(), 273);
        EXPECT_FALSE(Box().edNew->Visible());
        EXPECT_EQ(Box().lsList->Top(), 82);
        EXPECT_EQ(Box().ActionButton->Top(), 228);
        EXPECT_EQ(Box().ActionButton->Caption(), L"Load");
        EXPECT_FALSE(Box().ActionButton->Enabled());

        ClickRow(0);
        EXPECT_TRUE(Box().ActionButton->Enabled());
        PumpFor(100);
        BoxPicture shot;
        shot.Save(L"profilebox-load.png");
        CheckScreen(shot, *background, 79);

        ClickRow(1);
        Click(Box().ActionButton);
        EXPECT_FALSE(Open());
    });
    EXPECT_EQ(result, forms::mrCancel);
    wchar_t name[64] = {};
    GetPrivateProfileStringW(L"TargetProfile", L"NAME", L"", name, 64, TargetProfilePath(folder.Path()).c_str());
    EXPECT_EQ(std::wstring(name), Rows()[1]);
    EXPECT_TRUE(formtest::PumpUntil([] { return BroadcastReceiver::requests > 0; }));
    PumpFor(50);
    EXPECT_EQ(BroadcastReceiver::requests, 1);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(reportedErrors.empty());
}

TEST_F(ProfileBoxTest, BackgroundDragsTheBoxAndTheCloseMarkChangesNothing)
{
    Box().PrepareProfileBox(TfrmProfileBox::kLoadMode, folder.Path());
    const int result = RunModal([&] {
        EXPECT_TRUE(Rows().empty());
        EXPECT_FALSE(Box().DeleteButton->Enabled());

        // The real pointer presses the title strip, moves 40 right and 30 down, and lets go.
        const POINT start{Box().Left() + 150, Box().Top() + 15};
        const int left = Box().Left(), top = Box().Top();
        std::thread user([start] {
            SetCursorPos(start.x, start.y);
            Sleep(100);
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
            SendInput(1, &input, sizeof input);
            for (int step = 1; step <= 4; ++step) {
                Sleep(50);
                SetCursorPos(start.x + 10 * step, start.y + 15 * step / 2);
            }
            Sleep(100);
            input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
            SendInput(1, &input, sizeof input);
        });
        formtest::PumpUntil([&] { return Box().Left() == left + 40 && Box().Top() == top + 30; });
        user.join();
        PumpFor(100);
        EXPECT_EQ(Box().Left(), left + 40);
        EXPECT_EQ(Box().Top(), top + 30);

        Click(Box().CloseButton);
        EXPECT_FALSE(Open());
    });
    EXPECT_EQ(result, forms::mrCancel);
    EXPECT_FALSE(FileExists(TargetProfilePath(folder.Path())));
    EXPECT_TRUE(reportedErrors.empty());
}

}  // namespace
