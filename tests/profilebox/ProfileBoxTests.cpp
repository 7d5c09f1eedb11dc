// The profile box on screen. Each test opens the one box modally, acts inside the modal run as a user
// does (clicks and typing as window messages, dragging with the real pointer) and checks the profile
// folder, the buttons and the screen. Screenshots of both modes are kept beside the test program.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <thread>

#include "PngEncoder.h"
#include "ProfileBroadcast.h"
#include "ScratchFolder.h"
#include "TfrmProfileBox.h"
#include "WindowTestSupport.h"
#include "forms/Rtl.h"
#include "forms/Timer.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/Mycommonfunc.h"

namespace {

using formtest::PumpFor;

// Showing and hiding a window costs seconds under the test display: one box for the whole run.
TfrmProfileBox& Box()
{
    if (!frmProfileBox)
        frmProfileBox = new TfrmProfileBox(nullptr);
    return *frmProfileBox;
}
struct BoxEnvironment : ::testing::Environment {
    void TearDown() override { delete frmProfileBox; }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new BoxEnvironment);

// A hidden top-level window that counts the load requests reaching it.
class Receiver : public formtest::TestForm {
public:
    int requests = 0;

protected:
    void WndProc(forms::TMessage& message) override
    {
        requests += IsLoadProfileRequest(message.Msg, message.WParam) ? 1 : 0;
        TestForm::WndProc(message);
    }
};

// 0xFFRRGGBB, as the pictures hold it.
std::uint32_t Pixel(forms::TBitmap& bitmap, int x, int y)
{
    return 0xFF000000u | (reinterpret_cast<const std::uint32_t*>(bitmap.ScanLine(y))[x] & 0xFFFFFF);
}

// The screen under the box, also saved as `name` beside the test program.
RgbaPicture Screenshot(const std::wstring& name)
{
    forms::TBitmap shot;
    shot.SetPixelFormat(forms::pf32bit);
    shot.SetSize(Box().Width(), Box().Height());
    const HDC screen = GetDC(nullptr);
    BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, Box().Left(), Box().Top(), SRCCOPY);
    ReleaseDC(nullptr, screen);
    RgbaPicture picture(shot.Width(), shot.Height());
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            picture.at(x, y) = Pixel(shot, x, y);
    WritePngFile(forms::ExtractFilePath(forms::Application().ExeName()) + name, picture, false);
    return picture;
}

class ProfileBoxTest : public formtest::WindowTest {
protected:
    // Opens the box modally and runs `steps` inside the modal run; returns the modal result.
    int RunModal(const std::function<void()>& steps)
    {
        forms::TTimer start(nullptr);
        start.SetInterval(1);
        start.OnTimer = [&](forms::TObject*) {
            start.SetEnabled(false);
            PumpFor(100);
            steps();
            if (Open())
                Box().Close();
        };
        return Box().ShowModal();
    }

    static void Click(gs::GsButton* button) { formtest::Click(button->Handle(), 5, 5); }
    static void ClickRow(int row) { formtest::Click(Box().lsList->Handle(), 20, row * 16 + 8); }
    static void Type(const std::wstring& text)
    {
        for (const wchar_t c : text) SendMessageW(Box().edNew->Handle(), WM_CHAR, c, 0);
    }
    static std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        for (int i = 0; i < Box().lsList->Items().Count(); ++i)
            rows.push_back(Box().lsList->Items()[i]);
        return rows;
    }
    static bool Open() { return Box().ModalResult() == forms::mrNone; }
    // "caption: text" of each message box owned by the box since the last call.
    std::vector<std::wstring> Boxes()
    {
        std::vector<std::wstring> shown;
        for (const formtest::Box& box : boxes)
            shown.push_back(box.owner == Box().Handle() ? box.caption + L": " + box.text : L"not owned by the box");
        boxes.clear();
        return shown;
    }

    void WriteProfiles(const std::vector<std::wstring>& names)
    {
        CreateDirectoryW(folder.File(L"Profile").c_str(), nullptr);
        for (const std::wstring& name : names)
            folder.WriteAnsi(L"Profile\\" + name + L".mck", "[F1]\r\nType=0\r\n");
    }
    std::wstring Profile(const std::wstring& name) const { return folder.File(L"Profile\\" + name + L".mck"); }

    // The pixels that follow from the mode's background picture and the list's colours, with the first
    // row selected.
    static void CheckScreen(const wchar_t* mode, const wchar_t* backgroundFile, int listTop)
    {
        const RgbaPicture shot = Screenshot(std::wstring(L"profilebox-") + mode + L".png");
        std::unique_ptr<forms::TBitmap> background = LoadPopupBitmap(backgroundFile);
        for (const POINT p : {POINT{200, 14}, POINT{140, background->Height() - 4}})
            EXPECT_EQ(shot.at(p.x, p.y), Pixel(*background, p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(shot.at(240, listTop + 3 + 8), 0xFF330000u);
        EXPECT_EQ(shot.at(240, listTop + 3 + 16 * 6), 0xFF000000u);
    }

    ScratchFolder folder;
};

TEST_F(ProfileBoxTest, SaveModeTakesValidNamesAndReportsWhatFailed)
{
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=4\r\n");
    WriteProfiles({L"one", L"two"});
    Box().PrepareProfileBox(TfrmProfileBox::kSaveMode, folder.Path());
    EXPECT_EQ(Rows(), TastroProfileManager(folder.Path()).GetProfileNames());

    const int result = RunModal([&] {
        // Centred on the screen, above other windows, owned by nobody, the name field focused.
        EXPECT_EQ(Box().BoundsRect(), forms::Bounds(GetSystemMetrics(SM_CXSCREEN) / 2 - 144,
                                                    GetSystemMetrics(SM_CYSCREEN) / 2 - 162, 288, 324));
        EXPECT_TRUE(GetWindowLongW(Box().Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(GetWindow(Box().Handle(), GW_OWNER), nullptr);
        EXPECT_EQ(GetFocus(), Box().edNew->Handle());
        EXPECT_FALSE(Box().ActionButton->Enabled() || Box().DeleteButton->Enabled());

        const std::pair<const wchar_t*, bool> names[] = {
            {L"Game 1", true},   {L"gaming.v2", true}, {L"\x0420\x0430\x0431", true}, {L"", false},
            {L"a\\b", false},    {L"..\\up", false},   {L"a:stream", false},          {L"what?", false},
            {L"..", false},      {L"CON", false},      {L"lpt1.txt", false},          {L"COM\x00B2", false},
            {L"tab\tin", false}, {L"   ", false},      {L".hidden", false}};
        for (const auto& [name, valid] : names) {
            Box().edNew->SetText(name);
            EXPECT_EQ(Box().ActionButton->Enabled(), valid) << forms::WideToUtf8(name);
        }
        Box().edNew->SetText(L"");
        Type(std::wstring(30, L'x'));
        EXPECT_EQ(Box().edNew->Text(), std::wstring(28, L'x'));
        EXPECT_TRUE(Box().ActionButton->Enabled());

        // A click on a row copies its name and enables Delete.
        ClickRow(0);
        const std::wstring first = Rows()[0];
        EXPECT_EQ(Box().edNew->Text(), first);
        EXPECT_TRUE(Box().DeleteButton->Enabled());
        PumpFor(100);
        CheckScreen(L"save", L"popup_save_bg.png", 126);

        // A profile that cannot be deleted keeps its row and says so; Delete asks nothing.
        {
            ScopedFileHandle held = HoldReadOnly(Profile(first));
            Click(Box().DeleteButton);
        }
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Warning: The profile could not be deleted."});
        Click(Box().DeleteButton);
        EXPECT_FALSE(FileExists(Profile(first)));
        EXPECT_EQ(Rows().size(), 1u);
        EXPECT_EQ(Box().lsList->ItemIndex(), -1);
        // The last one disables both buttons, even with a name still typed, until the name changes.
        ClickRow(0);
        Click(Box().DeleteButton);
        EXPECT_TRUE(Rows().empty());
        EXPECT_FALSE(Box().ActionButton->Enabled() || Box().DeleteButton->Enabled());
        Type(L"2");
        EXPECT_TRUE(Box().ActionButton->Enabled());

        // A failed copy keeps the box open and the old profile, and says so.
        WriteProfiles({L"kept"});
        Box().edNew->SetText(L"kept");
        {
            ScopedFileHandle held = HoldReadOnly(Profile(L"kept"));
            Click(Box().ActionButton);
        }
        EXPECT_TRUE(Open());
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Warning: The profile could not be saved."});
        EXPECT_EQ(ReadBytes(Profile(L"kept")), "[F1]\r\nType=0\r\n");

        // Saving over an existing profile replaces it without a question and closes the box.
        Click(Box().ActionButton);
        EXPECT_FALSE(Open());
    });
    EXPECT_EQ(result, forms::mrCancel);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ReadBytes(Profile(L"kept")), ReadBytes(folder.File(L"fun.cfg")));
    EXPECT_TRUE(Rows().empty()) << "the list is not filled again";
    EXPECT_TRUE(reportedErrors.empty());
}

TEST_F(ProfileBoxTest, LoadModeRecordsTheTargetAndBroadcastsAndTheBackgroundDrags)
{
    WriteProfiles({L"alpha", L"beta"});
    Receiver receiver;
    Box().PrepareProfileBox(TfrmProfileBox::kLoadMode, folder.Path());

    const int result = RunModal([&] {
        EXPECT_EQ(Box().Height(), 273);
        EXPECT_FALSE(Box().edNew->Visible() || Box().ActionButton->Enabled());
        ClickRow(0);
        EXPECT_TRUE(Box().ActionButton->Enabled());
        PumpFor(100);
        CheckScreen(L"load", L"popup_load_bg.png", 79);

        // The real pointer presses the title strip, moves 40 right and 30 down, and lets go.
        const int left = Box().Left(), top = Box().Top();
        std::thread user([x = left + 150, y = top + 15] {
            INPUT input{};
            input.type = INPUT_MOUSE;
            for (int step = 0; step <= 5; ++step) {
                SetCursorPos(x + 10 * std::clamp(step - 1, 0, 4), y + 15 * std::clamp(step - 1, 0, 4) / 2);
                input.mi.dwFlags = step == 0 ? MOUSEEVENTF_LEFTDOWN : step == 5 ? MOUSEEVENTF_LEFTUP : 0;
                if (input.mi.dwFlags)
                    SendInput(1, &input, sizeof input);
                Sleep(80);
            }
        });
        formtest::PumpUntil([&] { return Box().Left() == left + 40 && Box().Top() == top + 30; });
        user.join();
        PumpFor(100);
        EXPECT_EQ(Box().Left(), left + 40);
        EXPECT_EQ(Box().Top(), top + 30);

        // A target that cannot be recorded keeps the box open, says so and requests nothing.
        ClickRow(1);
        folder.WriteAnsi(L"Profile\\TargetProfile.ini", "");
        {
            ScopedFileHandle held = HoldReadOnly(TargetProfilePath(folder.Path()));
            Click(Box().ActionButton);
        }
        EXPECT_TRUE(Open());
        EXPECT_EQ(Boxes(), std::vector<std::wstring>{L"Warning: The profile could not be loaded."});
        Click(Box().ActionButton);
        EXPECT_FALSE(Open());
    });
    EXPECT_EQ(result, forms::mrCancel);
    wchar_t name[64] = {};
    GetPrivateProfileStringW(L"TargetProfile", L"NAME", L"", name, 64, TargetProfilePath(folder.Path()).c_str());
    EXPECT_EQ(std::wstring(name), Rows()[1]);
    PumpFor(200);
    EXPECT_EQ(receiver.requests, 1);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(reportedErrors.empty());
}

}  // namespace
