// The PNG library as an outside component: loaded by file name, called through its own declarations.

#include <windows.h>
#include <psapi.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <png.h>

#include "PngFiles.h"

namespace {

using testpng::Bytes;
using testpng::Picture;

struct Record {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitDepth;
    std::int32_t colorType;
    std::uint32_t rowBytes;
    std::uint8_t** rows;
};

using StreamRead = int(WINAPI*)(void*, void*, int);
using StreamWrite = int(WINAPI*)(void*, const void*, int);
using ReadFn = int(WINAPI*)(Record*, StreamRead, void*);
using WriteFn = int(WINAPI*)(const Record*, StreamWrite, void*);
using FreeFn = void(WINAPI*)(Record*);
using AllocateFn = int(WINAPI*)(Record*, int, int, int);

struct MemoryStream {
    const Bytes* data;
    std::size_t position = 0;
    int chunkLimit = 0x7FFFFFFF;  // largest answer to one call
    int calls = 0;
};

int WINAPI ReadMemory(void* context, void* buffer, int count)
{
    auto* s = static_cast<MemoryStream*>(context);
    ++s->calls;
    std::size_t n = s->data->size() - s->position;
    if (n > static_cast<std::size_t>(count))
        n = static_cast<std::size_t>(count);
    if (n > static_cast<std::size_t>(s->chunkLimit))
        n = static_cast<std::size_t>(s->chunkLimit);
    std::memcpy(buffer, s->data->data() + s->position, n);
    s->position += n;
    return static_cast<int>(n);
}

int WINAPI WriteMemory(void* context, const void* buffer, int count)
{
    auto* out = static_cast<Bytes*>(context);
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    out->insert(out->end(), p, p + count);
    return count;
}

class Pixlo : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring path = exe;
        path = path.substr(0, path.find_last_of(L'\\') + 1) + L"Pixlo.dll";
        module_ = LoadLibraryW(path.c_str());
        ASSERT_NE(module_, nullptr);
        read_ = reinterpret_cast<ReadFn>(reinterpret_cast<void*>(GetProcAddress(module_, "ReadPngEx")));
        write_ = reinterpret_cast<WriteFn>(reinterpret_cast<void*>(GetProcAddress(module_, "WritePngEx")));
        free_ = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(module_, "FreePngData")));
        allocate_ =
            reinterpret_cast<AllocateFn>(reinterpret_cast<void*>(GetProcAddress(module_, "AllocatePngData")));
        ASSERT_TRUE(read_ && write_ && free_ && allocate_);
    }

    // Decodes `file`; on success the rows are copied out and the record freed.
    bool Decode(const Bytes& file, Record& record, std::vector<Bytes>& rows, int chunkLimit = 0x7FFFFFFF)
    {
        MemoryStream stream{&file};
        stream.chunkLimit = chunkLimit;
        std::memset(&record, 0xCD, sizeof(record));  // the caller's storage arrives uninitialised
        const int result = read_(&record, ReadMemory, &stream);
        consumed_ = stream.position;
        if (!result)
            return false;
        const std::size_t bytes = record.width * (record.colorType == 6 ? 4u : 3u);
        rows.clear();
        for (std::uint32_t y = 0; y < record.height; ++y)
            rows.emplace_back(record.rows[y], record.rows[y] + bytes);
        free_(&record);
        return true;
    }

    static HMODULE module_;
    static ReadFn read_;
    static WriteFn write_;
    static FreeFn free_;
    static AllocateFn allocate_;
    std::size_t consumed_ = 0;
};

HMODULE Pixlo::module_;
ReadFn Pixlo::read_;
WriteFn Pixlo::write_;
FreeFn Pixlo::free_;
AllocateFn Pixlo::allocate_;

#if !defined(_WIN64)
static_assert(sizeof(Record) == 24 && offsetof(Record, rows) == 20);
#endif

TEST_F(Pixlo, RgbaRowsKeepEverySampleIncludingTransparentColour)
{
    const Bytes file = testpng::HandMadeRgba(2, 2, {200, 10, 10, 0, 1, 2, 3, 255, 4, 5, 6, 128, 7, 8, 9, 1});
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(file, r, rows));
    EXPECT_EQ(r.width, 2u);
    EXPECT_EQ(r.height, 2u);
    EXPECT_EQ(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{200, 10, 10, 0, 1, 2, 3, 255}));
    EXPECT_EQ(rows[1], (Bytes{4, 5, 6, 128, 7, 8, 9, 1}));
    EXPECT_EQ(r.rows, nullptr);  // freed
}

TEST_F(Pixlo, RgbAndGreyPicturesGiveThreeBytesAPixel)
{
    Picture rgb = testpng::Make(2, 1, PNG_COLOR_TYPE_RGB, 8);
    rgb.Rows = {{10, 20, 30, 250, 240, 230}};
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(testpng::Encode(rgb), r, rows));
    EXPECT_NE(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{10, 20, 30, 250, 240, 230}));

    Picture grey1 = testpng::Make(10, 1, PNG_COLOR_TYPE_GRAY, 1);
    grey1.Rows = {{0xA0, 0x40}};  // 1 0 1 0 0 0 0 0 | 0 1
    ASSERT_TRUE(Decode(testpng::Encode(grey1), r, rows));
    EXPECT_NE(r.colorType, 6);
    ASSERT_EQ(rows[0].size(), 30u);
    EXPECT_EQ(rows[0][0], 255);
    EXPECT_EQ(rows[0][3], 0);
    EXPECT_EQ(rows[0][6], 255);
    EXPECT_EQ(rows[0][27], 255);
    EXPECT_EQ(rows[0][24], 0);

    Picture grey4 = testpng::Make(2, 1, PNG_COLOR_TYPE_GRAY, 4);
    grey4.Rows = {{0x5F}};
    ASSERT_TRUE(Decode(testpng::Encode(grey4), r, rows));
    EXPECT_EQ(rows[0], (Bytes{0x55, 0x55, 0x55, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Pixlo, PaletteWithTransparencyBecomesRgba)
{
    Picture p = testpng::Make(3, 1, PNG_COLOR_TYPE_PALETTE, 4);
    p.Palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    p.PaletteAlpha = {0, 128};  // the third entry stays opaque
    p.Rows = {{0x01, 0x20}};    // indices 0, 1, 2
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(testpng::Encode(p), r, rows));
    EXPECT_EQ(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{255, 0, 0, 0, 0, 255, 0, 128, 0, 0, 255, 255}));

    p.PaletteAlpha.clear();
    ASSERT_TRUE(Decode(testpng::Encode(p), r, rows));
    EXPECT_NE(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255}));
}

TEST_F(Pixlo, GreyWithAlphaBecomesRgba)
{
    Picture p = testpng::Make(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8);
    p.Rows = {{90, 0, 200, 77}};
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(testpng::Encode(p), r, rows));
    EXPECT_EQ(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{90, 90, 90, 0, 200, 200, 200, 77}));
}

TEST_F(Pixlo, SixteenBitSamplesAreScaledWithoutGamma)
{
    Picture p = testpng::Make(4, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16);
    p.Gamma = true;
    Bytes row;
    for (unsigned v : {0x8080u, 0x0000u, 0xFFFFu, 0x7F7Fu, 0x1234u, 0xFFFFu, 0x8080u, 0x0101u, 0x4040u, 0xC0C0u,
                       0xFEFEu, 0x8080u, 0x0000u, 0x0000u, 0x0000u, 0x0000u})
        testpng::Put16(row, v);
    p.Rows = {row};
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(testpng::Encode(p), r, rows));
    EXPECT_EQ(r.colorType, 6);
    EXPECT_EQ(rows[0], (Bytes{0x80, 0x00, 0xFF, 0x7F, 0x12, 0xFF, 0x80, 0x01, 0x40, 0xC0, 0xFE, 0x80, 0, 0, 0, 0}));

    Picture grey = testpng::Make(1, 1, PNG_COLOR_TYPE_GRAY, 16);
    grey.Gamma = true;
    grey.Rows = {{0x80, 0x80}};
    ASSERT_TRUE(Decode(testpng::Encode(grey), r, rows));
    EXPECT_EQ(rows[0], (Bytes{0x80, 0x80, 0x80}));
}

TEST_F(Pixlo, InterlacedPictureDecodesLikeAPlainOne)
{
    Picture plain = testpng::Make(9, 7, PNG_COLOR_TYPE_RGB_ALPHA, 8);
    for (int y = 0; y < plain.Height; ++y) {
        Bytes row;
        for (int x = 0; x < plain.Width; ++x)
            row.insert(row.end(), {static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 30),
                                   static_cast<std::uint8_t>(x + y), static_cast<std::uint8_t>(255 - x * y)});
        plain.Rows.push_back(row);
    }
    Picture interlaced = plain;
    interlaced.Interlaced = true;
    const Bytes a = testpng::Encode(plain);
    const Bytes b = testpng::Encode(interlaced);
    ASSERT_NE(a, b);
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(b, r, rows));
    EXPECT_EQ(rows, plain.Rows);
}

TEST_F(Pixlo, SlowStreamAndTrailingBytes)
{
    Picture p = testpng::Make(5, 3, PNG_COLOR_TYPE_RGB, 8);
    p.Rows.assign(3, Bytes(15, 0x42));
    Bytes file = testpng::Encode(p);
    const std::size_t pngSize = file.size();
    file.insert(file.end(), {'t', 'a', 'i', 'l'});
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(file, r, rows, 1));  // one byte per call
    EXPECT_EQ(rows, p.Rows);
    EXPECT_EQ(consumed_, pngSize);  // nothing after the end chunk is read
}

TEST_F(Pixlo, TruncatedCorruptAndForeignStreamsFailWithEmptyRecord)
{
    Picture p = testpng::Make(16, 16, PNG_COLOR_TYPE_RGB_ALPHA, 8);
    for (int y = 0; y < 16; ++y) {
        Bytes row;
        for (int x = 0; x < 64; ++x)
            row.push_back(static_cast<std::uint8_t>(x * 7 + y * 13));
        p.Rows.push_back(row);
    }
    const Bytes good = testpng::Encode(p);
    Record r;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(good, r, rows));

    for (std::size_t cut : {std::size_t{0}, std::size_t{7}, std::size_t{20}, std::size_t{40}, good.size() / 2,
                            good.size() - 12, good.size() - 1}) {
        const Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(Decode(truncated, r, rows)) << "cut at " << cut;
        EXPECT_EQ(r.rows, nullptr);
        EXPECT_EQ(r.width, 0u);
    }

    Bytes badHeaderCrc = good;
    badHeaderCrc[29] ^= 0xFF;  // inside the header chunk's CRC
    EXPECT_FALSE(Decode(badHeaderCrc, r, rows));

    Bytes badData = good;
    for (std::size_t i = 45; i < 60; ++i)  // inside the compressed data
        badData[i] ^= 0x5A;
    EXPECT_FALSE(Decode(badData, r, rows));

    const std::string text = "GIF89a, definitely not a PNG picture";
    EXPECT_FALSE(Decode(Bytes(text.begin(), text.end()), r, rows));
    EXPECT_EQ(r.rows, nullptr);
}

TEST_F(Pixlo, PicturesWiderOrTallerThan8192PixelsAreRefused)
{
    const struct {
        int width;
        int height;
        bool decoded;
    } cases[] = {{8192, 1, true}, {1, 8192, true}, {8193, 1, false}, {1, 8193, false}};
    for (const auto& c : cases) {
        Picture p = testpng::Make(c.width, c.height, PNG_COLOR_TYPE_GRAY, 8);
        p.Rows.assign(static_cast<std::size_t>(c.height), Bytes(static_cast<std::size_t>(c.width), 0x40));
        Record r;
        std::vector<Bytes> rows;
        EXPECT_EQ(Decode(testpng::Encode(p), r, rows), c.decoded) << c.width << " x " << c.height;
        EXPECT_EQ(rows.size(), c.decoded ? static_cast<std::size_t>(c.height) : 0u);
    }
}

TEST_F(Pixlo, FailedDecodesLeakNothing)
{
    Picture p = testpng::Make(256, 256, PNG_COLOR_TYPE_RGB_ALPHA, 8);
    p.Rows.assign(256, Bytes(1024, 0));
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 1024; ++x)
            p.Rows[y][x] = static_cast<std::uint8_t>((x * 31) ^ (y * 17));
    const Bytes good = testpng::Encode(p);
    const Bytes truncated(good.begin(), good.end() - 40);  // fails after the rows were allocated

    auto usage = [] {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
        return counters.PagefileUsage;  // committed memory; the private count is not kept by every system
    };
    Record r;
    std::vector<Bytes> rows;
    EXPECT_FALSE(Decode(truncated, r, rows));
    const SIZE_T before = usage();
    for (int i = 0; i < 300; ++i)
        Decode(truncated, r, rows);  // 256 KiB of rows each time
    EXPECT_LT(usage(), before + 16 * 1024 * 1024);
}

TEST_F(Pixlo, AllocatedRecordWritesAndReadsBack)
{
    Record r;
    ASSERT_EQ(allocate_(&r, 3, 2, 6), 1);
    EXPECT_EQ(r.colorType, 6);
    for (std::uint32_t y = 0; y < 2; ++y)
        for (int i = 0; i < 12; ++i)
            r.rows[y][i] = static_cast<std::uint8_t>(y * 12 + i);
    Bytes file;
    ASSERT_EQ(write_(&r, WriteMemory, &file), 1);
    free_(&r);
    free_(&r);  // a second free does nothing
    EXPECT_EQ(r.rows, nullptr);

    Record back;
    std::vector<Bytes> rows;
    ASSERT_TRUE(Decode(file, back, rows));
    EXPECT_EQ(back.width, 3u);
    EXPECT_EQ(rows[1][0], 12);
    EXPECT_EQ(rows[1][11], 23);

    EXPECT_EQ(allocate_(&r, 0, 5, 2), 0);
    EXPECT_EQ(r.rows, nullptr);
    EXPECT_EQ(read_(nullptr, ReadMemory, nullptr), 0);
}

}  // namespace
