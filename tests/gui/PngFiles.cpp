#include "PngFiles.h"

#include <windows.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>

#include <png.h>
#include <zlib.h>

namespace testpng {

namespace {

void PNGCBAPI AppendBytes(png_structp png, png_bytep data, size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void PNGCBAPI NoFlush(png_structp) {}

void PNGCBAPI Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }

bool EncodeInto(png_structp png, png_infop info, const Picture& p, Bytes& out, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, p.Width, p.Height, p.BitDepth, p.ColorType,
                 p.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!p.Palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(p.Palette.data()),
                     static_cast<int>(p.Palette.size() / 3));
    if (!p.PaletteAlpha.empty())
        png_set_tRNS(png, info, p.PaletteAlpha.data(), static_cast<int>(p.PaletteAlpha.size()), nullptr);
    if (p.Gamma)
        png_set_gAMA_fixed(png, info, 45455);
    png_write_info(png, info);
    png_set_interlace_handling(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

void PutChunk(Bytes& out, const char* type, const Bytes& data)
{
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(length >> shift));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(crc >> shift));
}

void Put32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

}  // namespace

Picture Make(int width, int height, int colorType, int bitDepth)
{
    Picture p;
    p.Width = width;
    p.Height = height;
    p.ColorType = colorType;
    p.BitDepth = bitDepth;
    return p;
}

Bytes Encode(const Picture& p)
{
    Bytes out;
    std::vector<png_bytep> rows;
    std::vector<Bytes> copy = p.Rows;
    for (Bytes& r : copy)
        rows.push_back(r.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool ok = EncodeInto(png, info, p, out, rows);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        throw std::runtime_error("test picture could not be encoded");
    return out;
}

Bytes HandMadeRgba(int width, int height, const Bytes& pixels)
{
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        const auto* row = pixels.data() + static_cast<std::size_t>(y) * width * 4;
        raw.insert(raw.end(), row, row + width * 4);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    if (compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("zlib failed");
    packed.resize(packedSize);

    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Put32(header, static_cast<std::uint32_t>(width));
    Put32(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // depth 8, RGBA, deflate, adaptive, no interlace
    PutChunk(out, "IHDR", header);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}

std::wstring ScratchFolder()
{
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"gui_tests_" + std::to_wstring(GetCurrentProcessId()) +
                                L"_" + std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteFile(const std::wstring& path, const Bytes& bytes)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write test file");
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write test file");
}

void Put16(Bytes& row, unsigned value)
{
    row.push_back(static_cast<std::uint8_t>(value >> 8));
    row.push_back(static_cast<std::uint8_t>(value));
}

}  // namespace testpng
