// Skin pictures loaded through the program's binding to the PNG library beside the test program.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "PngFiles.h"
#include "forms/Assert.h"
#include "forms/Bitmap.h"
#include "forms/Rtl.h"
#include "forms/Stream.h"
#include "gui/png/PngReader.h"

namespace {

using forms::TBitmap;
using testpng::Bytes;

class MemoryStream : public forms::TStream {
public:
    explicit MemoryStream(Bytes data) : data_(std::move(data)) {}
    int Read(void* buffer, int count) override
    {
        if (failing_)
            throw std::runtime_error("device gone");
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), data_.size() - position_);
        std::memcpy(buffer, data_.data() + position_, n);
        position_ += n;
        return static_cast<int>(n);
    }
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    std::int64_t Position() override { return static_cast<std::int64_t>(position_); }
    void SetPosition(std::int64_t position) override { position_ = static_cast<std::size_t>(position); }
    void FailReads() { failing_ = true; }

private:
    Bytes data_;
    std::size_t position_ = 0;
    bool failing_ = false;
};

std::vector<int> Bytes32(TBitmap& b, int y)
{
    const std::uint8_t* p = b.ScanLine(y);
    return std::vector<int>(p, p + b.Width() * b.BytesPerPixel());
}

class PngLoading : public testing::Test {
protected:
    std::wstring Write(const wchar_t* name, const Bytes& bytes)
    {
        const std::wstring path = folder_ + name;
        testpng::WriteFile(path, bytes);
        return path;
    }
    static Bytes TwoPixelsRgba() { return testpng::HandMadeRgba(2, 1, {200, 10, 10, 0, 1, 2, 3, 128}); }
    static std::wstring TestFolder() { return forms::ExtractFilePath(forms::ModuleFileName()); }

    std::wstring folder_ = testpng::ScratchFolder();
};

TEST_F(PngLoading, LibraryComesFromTheProgramFolderOnceForAllLoads)
{
    EXPECT_EQ(gs::PngManager::GetDllPath(), TestFolder() + L"Pixlo.dll");
    gs::PngManager& first = gs::PngManager::GetInstance();
    EXPECT_EQ(&gs::PngManager::GetInstance(), &first);
    const std::wstring path = Write(L"a.png", TwoPixelsRgba());
    TBitmap a;
    TBitmap b;
    gs::LoadPngToBitmap(path, a);
    gs::LoadPngToBitmap(path, b);
    EXPECT_EQ(&gs::PngManager::GetInstance(), &first);
    EXPECT_NE(GetModuleHandleW((TestFolder() + L"Pixlo.dll").c_str()), nullptr);
    EXPECT_EQ(Bytes32(a, 0), Bytes32(b, 0));
}

TEST_F(PngLoading, RgbaPictureBecomesBgraWithTransparentPixelsBlack)
{
    TBitmap b;
    gs::LoadPngToBitmap(Write(L"rgba.png", TwoPixelsRgba()), b);
    EXPECT_EQ(b.PixelFormat(), forms::pf32bit);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 1);
    EXPECT_EQ(Bytes32(b, 0), (std::vector<int>{0, 0, 0, 0, 3, 2, 1, 128}));
}

TEST_F(PngLoading, PictureWithoutAlphaGetsOpaquePixels)
{
    testpng::Picture p = testpng::Make(2, 2, PNG_COLOR_TYPE_RGB, 8);
    p.Rows = {{10, 20, 30, 40, 50, 60}, {70, 80, 90, 0, 0, 0}};
    TBitmap b;
    gs::LoadPngFile(Write(L"rgb.png", testpng::Encode(p)), b);
    EXPECT_EQ(b.PixelFormat(), forms::pf32bit);
    EXPECT_EQ(Bytes32(b, 0), (std::vector<int>{30, 20, 10, 255, 60, 50, 40, 255}));
    EXPECT_EQ(Bytes32(b, 1), (std::vector<int>{90, 80, 70, 255, 0, 0, 0, 255}));
}

TEST_F(PngLoading, PaletteGreyAlphaSixteenBitAndInterlacedPictures)
{
    testpng::Picture palette = testpng::Make(2, 1, PNG_COLOR_TYPE_PALETTE, 8);
    palette.Palette = {9, 8, 7, 60, 50, 40};
    palette.PaletteAlpha = {0};
    palette.Rows = {{0, 1}};
    TBitmap b;
    gs::LoadPngToBitmap(Write(L"palette.png", testpng::Encode(palette)), b);
    EXPECT_EQ(Bytes32(b, 0), (std::vector<int>{0, 0, 0, 0, 40, 50, 60, 255}));

    testpng::Picture greyAlpha = testpng::Make(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16);
    Bytes row;
    testpng::Put16(row, 0x8080);
    testpng::Put16(row, 0xFFFF);
    greyAlpha.Rows = {row};
    greyAlpha.Gamma = true;
    gs::LoadPngToBitmap(Write(L"grey16.png", testpng::Encode(greyAlpha)), b);
    EXPECT_EQ(Bytes32(b, 0), (std::vector<int>{0x80, 0x80, 0x80, 0xFF}));

    testpng::Picture interlaced = testpng::Make(9, 9, PNG_COLOR_TYPE_RGB, 8);
    for (int y = 0; y < 9; ++y) {
        Bytes r;
        for (int x = 0; x < 9; ++x)
            r.insert(r.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
        interlaced.Rows.push_back(r);
    }
    interlaced.Interlaced = true;
    gs::LoadPngToBitmap(Write(L"adam7.png", testpng::Encode(interlaced)), b);
    ASSERT_EQ(b.Height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ((std::vector<int>(b.ScanLine(y) + x * 4, b.ScanLine(y) + x * 4 + 4)),
                      (std::vector<int>{7, y, x, 255}));
}

TEST_F(PngLoading, ReadIntoAnotherFormatGivesTwentyFourBitsKeepingColoursOfTransparentPixels)
{
    MemoryStream stream(TwoPixelsRgba());
    TBitmap b(5, 5, forms::pf24bit);
    EXPECT_TRUE(gs::PngManager::GetInstance().Read(stream, b));
    EXPECT_EQ(b.PixelFormat(), forms::pf24bit);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(Bytes32(b, 0), (std::vector<int>{10, 10, 200, 3, 2, 1}));

    MemoryStream again(TwoPixelsRgba());
    TBitmap fresh;  // pfDevice
    EXPECT_TRUE(gs::PngManager::GetInstance().Read(again, fresh));
    EXPECT_EQ(fresh.PixelFormat(), forms::pf24bit);
}

TEST_F(PngLoading, RejectedFilesLeaveTheBitmapAsItWas)
{
    const Bytes good = TwoPixelsRgba();
    const std::wstring truncated = Write(L"cut.png", Bytes(good.begin(), good.begin() + 40));
    const std::wstring foreign = Write(L"text.png", {'h', 'e', 'l', 'l', 'o'});
    const std::wstring missing = folder_ + L"missing.png";

    for (const std::wstring& path : {truncated, foreign, missing}) {
        TBitmap empty;
        EXPECT_NO_THROW(gs::LoadPngToBitmap(path, empty));
        EXPECT_EQ(empty.PixelFormat(), forms::pf32bit);
        EXPECT_TRUE(empty.Empty());

        TBitmap kept(3, 1, forms::pf32bit);
        std::memset(kept.ScanLine(0), 0x5A, 12);
        EXPECT_NO_THROW(gs::LoadPngFile(path, kept));
        EXPECT_EQ(kept.Width(), 3);
        EXPECT_EQ(Bytes32(kept, 0), std::vector<int>(12, 0x5A));
    }

    MemoryStream rejected(Bytes(good.begin(), good.begin() + 40));
    TBitmap b;
    EXPECT_FALSE(gs::PngManager::GetInstance().Read(rejected, b));
    EXPECT_EQ(b.PixelFormat(), forms::pfDevice);
}

TEST_F(PngLoading, AFileReadBeforeGivesTheSamePictureUntilItChanges)
{
    const std::wstring path = Write(L"again.png", TwoPixelsRgba());
    TBitmap first;
    gs::LoadPngToBitmap(path, first);
    TBitmap again(5, 5, forms::pf24bit);
    again.SetTransparentColor(0x123456);
    gs::LoadPngToBitmap(path, again);
    EXPECT_EQ(again.PixelFormat(), forms::pf32bit);
    EXPECT_EQ(again.Width(), 2);
    EXPECT_EQ(Bytes32(again, 0), Bytes32(first, 0));
    EXPECT_EQ(again.TransparentColor(), 0x123456u) << "the bitmap's own settings stay, as with a read";

    // Rewritten, the file is read again; once it no longer reads, the bitmap stays as it was.
    Write(L"again.png", testpng::HandMadeRgba(3, 1, {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255}));
    TBitmap changed;
    gs::LoadPngToBitmap(path, changed);
    EXPECT_EQ(Bytes32(changed, 0), (std::vector<int>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255}));
    for (const bool remove : {false, true}) {
        if (remove)
            ASSERT_TRUE(DeleteFileW(path.c_str()));
        else
            Write(L"again.png", {'h', 'e', 'l', 'l', 'o'});
        TBitmap kept(3, 1, forms::pf32bit);
        std::memset(kept.ScanLine(0), 0x5A, 12);
        gs::LoadPngFile(path, kept);
        EXPECT_EQ(Bytes32(kept, 0), std::vector<int>(12, 0x5A));
    }
}

TEST_F(PngLoading, PictureTooLargeForABitmapLeavesItExactlyAsItWas)
{
    gs::PngManager manager(TestFolder() + L"PixloGiant.dll");
    for (const forms::TPixelFormat format : {forms::pfDevice, forms::pf24bit, forms::pf32bit}) {
        TBitmap b(3, 1, format);
        std::memset(b.ScanLine(0), 0x5A, static_cast<std::size_t>(3 * b.BytesPerPixel()));
        MemoryStream stream(TwoPixelsRgba());
        bool read = true;
        EXPECT_NO_THROW(read = manager.Read(stream, b));
        EXPECT_FALSE(read);
        EXPECT_EQ(b.PixelFormat(), format);
        EXPECT_EQ(b.Width(), 3);
        EXPECT_EQ(b.Height(), 1);
        EXPECT_EQ(Bytes32(b, 0), std::vector<int>(static_cast<std::size_t>(3 * b.BytesPerPixel()), 0x5A));
    }
}

TEST_F(PngLoading, StreamErrorsEndThePictureWithoutEscaping)
{
    MemoryStream stream(TwoPixelsRgba());
    stream.FailReads();
    TBitmap b;
    EXPECT_FALSE(gs::PngManager::GetInstance().Read(stream, b));
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(gs::PngStreamRead(&stream, nullptr, 10), 0);
}

TEST_F(PngLoading, LibraryWithoutNeededEntryPointsFailsEveryRead)
{
    for (const wchar_t* library : {L"PixloNoFree.dll", L"kernel32.dll"}) {
        const std::wstring path =
            std::wstring(library) == L"kernel32.dll" ? std::wstring(library) : TestFolder() + library;
        gs::PngManager manager(path);
        MemoryStream stream(TwoPixelsRgba());
        TBitmap b(1, 1, forms::pf24bit);
        EXPECT_FALSE(manager.Read(stream, b)) << forms::WideToUtf8(path);
        EXPECT_EQ(stream.Position(), 0);  // the library was not even asked
        EXPECT_EQ(b.Width(), 1);
    }
}

TEST_F(PngLoading, MissingLibraryStopsWithTheNamedCheckAndAnyFolderNameLoads)
{
    struct Stop {
        std::string expression;
    };
    const auto previous = forms::SetAssertHandler([](const forms::AssertionFailure& f) { throw Stop{f.Expression}; });
    try {
        gs::PngManager manager(folder_ + L"Pixlo.dll");
        ADD_FAILURE() << "no stop";
    } catch (const Stop& stop) {
        EXPECT_EQ(stop.expression, "m_hinst");
    }

    // Runic letters lie in no ANSI code page: the library is loaded by its wide path.
    const std::wstring folder = folder_ + L"\u16A0\u16A2\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(CopyFileW((TestFolder() + L"Pixlo.dll").c_str(), (folder + L"Pixlo.dll").c_str(), FALSE));
    try {
        gs::PngManager manager(folder + L"Pixlo.dll");
        EXPECT_NE(GetModuleHandleW((folder + L"Pixlo.dll").c_str()), nullptr);
        MemoryStream stream(TwoPixelsRgba());
        TBitmap b;
        EXPECT_TRUE(manager.Read(stream, b));
        EXPECT_EQ(b.Width(), 2);
    } catch (const Stop& stop) {
        ADD_FAILURE() << "stopped on " << stop.expression;
    }
    forms::SetAssertHandler(previous);
}

}  // namespace
