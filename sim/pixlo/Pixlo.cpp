// Pixlo.dll: decodes PNG streams into 8-bit RGB or RGBA rows and encodes such rows as PNG.
// Every colour type, bit depth and interlace method is accepted; 16-bit samples are scaled to 8 bits
// without any gamma conversion, so a picture looks the same whatever its bit depth.

#include <windows.h>

#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <png.h>

namespace {

// The record exchanged with the caller. In a 32-bit process it is 24 bytes with the row table at +20.
struct PngData {
    uint32_t width;
    uint32_t height;
    uint32_t bitDepth;   // always 8
    int32_t colorType;   // 6: four bytes a pixel (R, G, B, A); 2: three bytes (R, G, B)
    uint32_t rowBytes;
    uint8_t** rows;      // row 0 is the top row
};

#if !defined(_WIN64)
static_assert(sizeof(PngData) == 24, "PngData must keep its 32-bit layout");
static_assert(offsetof(PngData, colorType) == 12, "colour type at +12");
static_assert(offsetof(PngData, rows) == 20, "row table at +20");
#endif

using PngStreamRead = int(WINAPI*)(void* context, void* buffer, int count);
using PngStreamWrite = int(WINAPI*)(void* context, const void* buffer, int count);

constexpr int kColorRgba = 6;
constexpr int kColorRgb = 2;
constexpr png_uint_32 kMaxSide = 8192;  // pixels, in either direction

// Rows and row table live in one block: the table first, the pixels after it, so one free releases all.
bool AllocateRows(PngData& data, uint32_t width, uint32_t height, int colorType)
{
    const uint64_t channels = colorType == kColorRgba ? 4 : 3;
    const uint64_t rowBytes = channels * width;
    const uint64_t tableBytes = uint64_t{height} * sizeof(uint8_t*);
    const uint64_t total = tableBytes + rowBytes * height;
    if (width == 0 || height == 0 || rowBytes > UINT32_MAX || total > PTRDIFF_MAX)
        return false;
    auto* block = static_cast<uint8_t*>(std::calloc(1, static_cast<size_t>(total)));
    if (!block)
        return false;
    auto** rows = reinterpret_cast<uint8_t**>(block);
    uint8_t* pixels = block + tableBytes;
    for (uint32_t y = 0; y < height; ++y)
        rows[y] = pixels + rowBytes * y;
    data.width = width;
    data.height = height;
    data.bitDepth = 8;
    data.colorType = colorType;
    data.rowBytes = static_cast<uint32_t>(rowBytes);
    data.rows = rows;
    return true;
}

void ReleaseRows(PngData& data)
{
    std::free(data.rows);
    data.rows = nullptr;
}

// libpng calls this for fatal errors; it must not return.
void PNGCBAPI OnPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void PNGCBAPI OnPngWarning(png_structp, png_const_charp) {}

struct ReadJob {
    PngStreamRead read = nullptr;
    void* context = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngData result{};
};

// libpng asks for exactly the bytes it needs, so nothing after the picture's last chunk is consumed.
void PNGCBAPI ReadFromCaller(png_structp png, png_bytep out, size_t length)
{
    auto* job = static_cast<ReadJob*>(png_get_io_ptr(png));
    while (length > 0) {
        const int want = length > INT_MAX ? INT_MAX : static_cast<int>(length);
        const int got = job->read(job->context, out, want);
        if (got <= 0 || got > want)
            png_error(png, "stream ended inside the picture");
        out += got;
        length -= static_cast<size_t>(got);
    }
}

// Holds no object with a destructor: a libpng error jumps back to the setjmp below.
bool Decode(ReadJob& job)
{
    if (setjmp(png_jmpbuf(job.png)))
        return false;

    png_set_read_fn(job.png, &job, ReadFromCaller);
    // A skin picture is never this large: refuse such a header like a corrupt one before anything is
    // allocated for it.
    png_set_user_limits(job.png, kMaxSide, kMaxSide);
    png_read_info(job.png, job.info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(job.png, job.info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    const bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(job.png, job.info, PNG_INFO_tRNS);

    png_set_expand(job.png);    // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
    png_set_scale_16(job.png);  // 16 to 8 bits by exact scaling; no gamma is ever set
    png_set_gray_to_rgb(job.png);
    png_set_interlace_handling(job.png);
    png_read_update_info(job.png, job.info);

    const int outType = alpha ? kColorRgba : kColorRgb;
    const unsigned channels = alpha ? 4 : 3;
    if (png_get_channels(job.png, job.info) != channels || png_get_bit_depth(job.png, job.info) != 8 ||
        png_get_rowbytes(job.png, job.info) != size_t{channels} * width)
        png_error(job.png, "unexpected pixel layout");
    if (!AllocateRows(job.result, width, height, outType))
        png_error(job.png, "picture too large");

    png_read_image(job.png, job.result.rows);
    png_read_end(job.png, nullptr);
    return true;
}

struct WriteJob {
    PngStreamWrite write = nullptr;
    void* context = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
};

void PNGCBAPI WriteToCaller(png_structp png, png_bytep data, size_t length)
{
    auto* job = static_cast<WriteJob*>(png_get_io_ptr(png));
    while (length > 0) {
        const int want = length > INT_MAX ? INT_MAX : static_cast<int>(length);
        const int put = job->write(job->context, data, want);
        if (put <= 0 || put > want)
            png_error(png, "stream refused the data");
        data += put;
        length -= static_cast<size_t>(put);
    }
}

void PNGCBAPI FlushNothing(png_structp) {}

bool Encode(WriteJob& job, const PngData& data)
{
    if (setjmp(png_jmpbuf(job.png)))
        return false;
    png_set_write_fn(job.png, &job, WriteToCaller, FlushNothing);
    png_set_IHDR(job.png, job.info, data.width, data.height, 8,
                 data.colorType == kColorRgba ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(job.png, job.info);
    png_write_image(job.png, data.rows);
    png_write_end(job.png, nullptr);
    return true;
}

}  // namespace

// Decodes the PNG stream that `read` delivers into `data`. Returns 1 with the record filled, or 0 with
// nothing allocated (record zeroed) when the stream is not a complete, valid PNG.
extern "C" int WINAPI ReadPngEx(PngData* data, PngStreamRead read, void* context)
{
    if (!data)
        return 0;
    std::memset(data, 0, sizeof(*data));
    if (!read)
        return 0;

    ReadJob job;
    job.read = read;
    job.context = context;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!job.png)
        return 0;
    job.info = png_create_info_struct(job.png);
    const bool ok = job.info && Decode(job);
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    if (!ok) {
        ReleaseRows(job.result);
        return 0;
    }
    *data = job.result;
    return 1;
}

// Encodes the rows of `data` (8-bit RGB, or RGBA for colour type 6) as a PNG through `write`.
extern "C" int WINAPI WritePngEx(const PngData* data, PngStreamWrite write, void* context)
{
    if (!data || !write || !data->rows || data->width == 0 || data->height == 0)
        return 0;
    WriteJob job;
    job.write = write;
    job.context = context;
    job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (!job.png)
        return 0;
    job.info = png_create_info_struct(job.png);
    const bool ok = job.info && Encode(job, *data);
    png_destroy_write_struct(&job.png, job.info ? &job.info : nullptr);
    return ok ? 1 : 0;
}

// Releases what ReadPngEx or AllocatePngData put into the record; a second call does nothing.
extern "C" void WINAPI FreePngData(PngData* data)
{
    if (data)
        ReleaseRows(*data);
}

// Fills the record with zeroed rows of the given size: colour type 6 gives RGBA, any other RGB.
extern "C" int WINAPI AllocatePngData(PngData* data, int width, int height, int colorType)
{
    if (!data)
        return 0;
    std::memset(data, 0, sizeof(*data));
    if (width <= 0 || height <= 0)
        return 0;
    return AllocateRows(*data, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                        colorType == kColorRgba ? kColorRgba : kColorRgb)
               ? 1
               : 0;
}
