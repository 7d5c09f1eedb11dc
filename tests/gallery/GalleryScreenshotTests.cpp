// Starts the gallery, takes a picture of the screen and checks the pixels whose colours follow from
// the skin pictures and the toolkit's rules. The picture is kept as gallery-screenshot.png beside the
// test program.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "GalleryLayout.h"
#include "PngEncoder.h"
#include "Screenshot.h"
#include "SkinPainter.h"
#include "gui/graphics/ExtendedSum.h"

namespace {

using namespace gallery;

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

// The gallery, started with its own skin folder and stopped again at the end.
class GalleryProcess {
public:
    GalleryProcess()
    {
        const std::wstring tag = std::to_wstring(GetCurrentProcessId());
        const std::wstring eventName = L"TastroGalleryReady-" + tag;
        ready_ = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        skins_ = std::wstring(temp) + L"TastroGalleryTest-" + tag + L"\\";

        const std::wstring exe = TestFolder() + L"..\\dist\\gallery.exe";
        // No backslash before the closing quote: it would escape it.
        const std::wstring skinArgument = skins_.substr(0, skins_.size() - 1);
        std::wstring command = L"\"" + exe + L"\" --skins \"" + skinArgument + L"\" --ready " + eventName;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_);
    }

    ~GalleryProcess()
    {
        if (started_) {
            if (HWND window = FindWindowW(L"TastroGallery", nullptr))
                PostMessageW(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, 30000) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the gallery did not close";
                TerminateProcess(process_.hProcess, 1);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(ready_);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((skins_ + L"*.png").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                DeleteFileW((skins_ + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(skins_.c_str());
    }

    // True once the gallery reports everything on screen; false when it ended or took too long.
    bool WaitUntilReady()
    {
        if (!started_)
            return false;
        HANDLE handles[] = {ready_, process_.hProcess};
        return WaitForMultipleObjects(2, handles, FALSE, 90000) == WAIT_OBJECT_0;
    }

private:
    HANDLE ready_ = nullptr;
    PROCESS_INFORMATION process_{};
    BOOL started_ = FALSE;
    std::wstring skins_;
};

std::uint32_t Rgb(std::uint32_t argb)
{
    return argb & 0xFFFFFF;
}

// The blend of an opaque destination under a source pixel of straight colour and alpha `a` with
// global alpha 255, as the toolkit computes it.
std::uint32_t Blend(std::uint32_t source, std::uint8_t a, std::uint32_t destination)
{
    const double s = a / 255.0;
    const gs::BlendFactor f = gs::BlendFactor::FromDouble(s);
    const gs::BlendFactor h = gs::BlendFactor::FromDouble(1.0 - s);
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const auto value = gs::TruncatedExtendedSum(static_cast<std::uint8_t>(source >> shift), f,
                                                    static_cast<std::uint8_t>(destination >> shift), h);
        result |= std::uint32_t{value} << shift;
    }
    return result;
}

class GalleryScreenshot : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gallery_ = new GalleryProcess();
        ready_ = gallery_->WaitUntilReady();
        if (ready_) {
            shot_ = new Screenshot(1000, 600);
            shot_->Save(TestFolder() + L"gallery-screenshot.png");
        }
    }
    static void TearDownTestSuite()
    {
        delete shot_;
        shot_ = nullptr;
        delete gallery_;
        gallery_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(ready_) << "the gallery did not come up"; }

    // A pixel of the main window, in its own coordinates.
    static std::uint32_t Main(int x, int y) { return shot_->At(kMainForm.left + x, kMainForm.top + y); }

    static inline GalleryProcess* gallery_ = nullptr;
    static inline Screenshot* shot_ = nullptr;
    static inline bool ready_ = false;
    const RgbaPicture background_ = PaintBackground();
};

TEST_F(GalleryScreenshot, KeyColouredCornersAreCutOutOfTheWindow)
{
    const int w = kMainForm.width, h = kMainForm.height;
    for (auto [x, y] : {std::pair{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}, {kCornerCut - 3, 1}}) {
        EXPECT_NE(Main(x, y), kKeyColour) << x << "," << y;
        EXPECT_EQ(Main(x, y), shot_->At(5, 5)) << "the screen behind shows at " << x << "," << y;
    }
    // Just inside the outline the picture shows, copied exactly.
    for (auto [x, y] : {std::pair{kCornerCut + 1, 2}, {w / 2, 2}, {w / 2, h - 3}, {2, h / 2}})
        EXPECT_EQ(Main(x, y), Rgb(background_.at(x, y))) << x << "," << y;
}

TEST_F(GalleryScreenshot, PushButtonsShowTheFaceOfTheirState)
{
    // Raised, hovered, sunken (space held), disabled, focused (falls back to the hovered face).
    const std::uint32_t expected[] = {kButtonRaised, kButtonHovered, kButtonSunken, kButtonDisabled, kButtonHovered};
    for (int i = 0; i < kButtonCount; ++i) {
        const Rect r = ButtonRect(i);
        EXPECT_EQ(Main(r.left, r.top), kButtonFrame) << "button " << i;
        EXPECT_EQ(Main(r.left + r.width - 1, r.top + r.height - 1), kButtonFrame) << "button " << i;
        EXPECT_EQ(Main(r.left + 3, r.top + 3), expected[i]) << "button " << i;
        EXPECT_EQ(Main(r.left + r.width - 4, r.top + r.height - 4), expected[i]) << "button " << i;
        // The button covers exactly its face: the picture shows right beside it.
        EXPECT_EQ(Main(r.left + r.width, r.top + 3), Rgb(background_.at(r.left + r.width, r.top + 3)));
    }
}

TEST_F(GalleryScreenshot, CaptionsAreWrittenOnTheFaces)
{
    for (int i = 0; i < kButtonCount; ++i) {
        const Rect r = ButtonRect(i);
        int differing = 0;
        for (int y = r.top + 8; y < r.top + r.height - 8; ++y)
            for (int x = r.left + 20; x < r.left + r.width - 20; ++x)
                differing += Main(x, y) != Main(r.left + 3, r.top + 3);
        EXPECT_GT(differing, 20) << "no caption on button " << i;
    }
}

TEST_F(GalleryScreenshot, CheckBoxesAndRadioButtonsShowTheirCheckState)
{
    const Rect unchecked = BoxRect(0), checked = BoxRect(1), radio = BoxRect(2), checkedRadio = BoxRect(3);
    EXPECT_EQ(Main(unchecked.left + 3, unchecked.top + 3), kBoxUncheckedRaised);
    EXPECT_EQ(Main(checked.left + 3, checked.top + 3), kBoxCheckedRaised);
    EXPECT_EQ(Main(checked.left + 8, checked.top + 13), kBoxMark); // the tick
    EXPECT_EQ(Main(unchecked.left + 8, unchecked.top + 13), kBoxUncheckedRaised);
    EXPECT_EQ(Main(radio.left + 4, radio.top + 11), kBoxUncheckedRaised);
    EXPECT_EQ(Main(radio.left + 11, radio.top + 11), kBoxUncheckedRaised);
    EXPECT_EQ(Main(checkedRadio.left + 4, checkedRadio.top + 11), kBoxCheckedRaised);
    EXPECT_EQ(Main(checkedRadio.left + 11, checkedRadio.top + 11), kBoxMark);
    // The transparent caption area of each face shows the window picture under it.
    for (const Rect& r : {unchecked, checked, radio, checkedRadio}) {
        const int x = r.left + r.width - 2, y = r.top + 1;
        EXPECT_EQ(Main(x, y), Rgb(background_.at(x, y))) << r.left;
    }
}

TEST_F(GalleryScreenshot, AlphaPictureBlendsOverTheWindowPicture)
{
    const Rect r = kBlendImage;
    const int third = r.width / 3;
    for (int y : {r.top + 1, r.top + r.height / 2, r.top + r.height - 2}) {
        EXPECT_EQ(Main(r.left + 5, y), kBlendColour);
        const int mid = r.left + third + 5;
        EXPECT_EQ(Main(mid, y), Blend(kBlendColour, kBlendHalfAlpha, Rgb(background_.at(mid, y))));
        const int clear = r.left + 2 * third + 5;
        EXPECT_EQ(Main(clear, y), Rgb(background_.at(clear, y)));
    }
}

TEST_F(GalleryScreenshot, LabelsDrawTheirCaptions)
{
    // The glow label's text is light; its black glow darkens the picture around the letters.
    int light = 0, darker = 0;
    for (int y = kLabelsTop; y < kLabelsTop + 24; ++y)
        for (int x = kLabelsLeft; x < kLabelsLeft + 150; ++x) {
            const std::uint32_t p = Main(x, y), b = Rgb(background_.at(x, y));
            light += (p & 0xFF) > 0xA0;
            darker += (p & 0xFF) < (b & 0xFF);
        }
    EXPECT_GT(light, 30);
    EXPECT_GT(darker, 30);
}

TEST_F(GalleryScreenshot, EditBoxSitsInsideItsPicture)
{
    const Rect r = kEdit;
    EXPECT_EQ(Main(r.left, r.top), 0x8090A0u);
    EXPECT_EQ(Main(r.left + 1, r.top + 1), 0x404850u);
    // The edit fills the picture's inner area with the picture's centre colour.
    EXPECT_EQ(Main(r.left + r.width - kEditInset - 3, r.top + r.height / 2), kEditCentre);
    int text = 0;
    for (int y = r.top + kEditInset; y < r.top + r.height - kEditInset; ++y)
        for (int x = r.left + kEditInset; x < r.left + 120; ++x)
            text += Main(x, y) != kEditCentre;
    EXPECT_GT(text, 20) << "the edit's text is missing";
}

TEST_F(GalleryScreenshot, LayeredPlateShowsItsPremultipliedPicture)
{
    const Rect r = kLayeredForm;
    // Over the empty screen the plate's colour is its premultiplied picture.
    const std::uint32_t premultiplied = ((kLayeredColour >> 16 & 0xFF) * kLayeredAlpha / 255) << 16 |
                                        ((kLayeredColour >> 8 & 0xFF) * kLayeredAlpha / 255) << 8 |
                                        ((kLayeredColour & 0xFF) * kLayeredAlpha / 255);
    EXPECT_EQ(shot_->At(r.left + r.width - 40, r.top + r.height / 2), premultiplied);
    // Its transparent corner lets the main window show through.
    const int x = r.left + 1, y = r.top + 1;
    EXPECT_EQ(shot_->At(x, y), Rgb(background_.at(x - kMainForm.left, y - kMainForm.top)));
}

} // namespace
