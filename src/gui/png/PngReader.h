#pragma once

// Skin pictures: the binding to the PNG library that lies in the program folder, and the loading of
// PNG files into 32-bit bitmaps through it.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Stream.h"

namespace gs {

// The record the PNG library fills and frees. In a 32-bit process: 24 bytes, row table at +20.
struct PngData {
    std::uint32_t Width;
    std::uint32_t Height;
    std::uint32_t Reserved8;
    // 6: four bytes a pixel (red, green, blue, alpha); any other value: three (red, green, blue).
    std::int32_t ColorType;
    std::uint32_t Reserved16;
    // Height rows of 8-bit samples, top row first; owned by the library.
    std::uint8_t** Rows;
};

#if !defined(_WIN64)
static_assert(sizeof(PngData) == 24, "PngData is exchanged with the PNG library");
static_assert(offsetof(PngData, ColorType) == 12 && offsetof(PngData, Rows) == 20,
              "PngData is exchanged with the PNG library");
#endif

constexpr std::int32_t PngColorTypeRgba = 6;

// Reads up to `count` bytes of the stream given as context into `buffer`; the number read, 0 at the end.
int WINAPI PngStreamRead(void* context, void* buffer, int count) noexcept;

// The PNG library, loaded at the first use and kept until the process ends.
class PngManager {
public:
    static PngManager& GetInstance();

    // Loads the library at `dllPath` and binds its entry points. A library that cannot be loaded stops
    // the program (check "m_hinst").
    explicit PngManager(const std::wstring& dllPath);
    ~PngManager();
    PngManager(const PngManager&) = delete;
    PngManager& operator=(const PngManager&) = delete;

    // The program folder followed by "Pixlo.dll".
    static std::wstring GetDllPath();

    // Decodes the stream into `bitmap`: a 32-bit bitmap stays 32-bit with alpha, any other becomes
    // 24-bit. False, with the bitmap untouched, when the library rejects the stream or lacks an entry
    // point this needs, or when the picture does not fit into memory.
    bool Read(forms::TStream& stream, forms::TBitmap& bitmap);

    // Sizes `bitmap` to the record and converts its rows into blue, green, red (and alpha when
    // bytesPerPixel is 4; a fully transparent pixel is stored black).
    static void CopyRows(const PngData& data, forms::TBitmap& bitmap, int bytesPerPixel);

private:
    using ReadPngExProc = int(WINAPI*)(PngData* data, int(WINAPI* read)(void*, void*, int), void* context);
    using FreePngDataProc = void(WINAPI*)(PngData* data);

    HMODULE m_hinst = nullptr;
    ReadPngExProc m_ReadPngEx = nullptr;
    FARPROC m_WritePngEx = nullptr;
    FreePngDataProc m_FreePngData = nullptr;
    FARPROC m_AllocatePngData = nullptr;
};

// Makes `bitmap` 32-bit and loads the PNG file into it. A file that is missing, unreadable or not a
// picture the library decodes leaves the bitmap as it was (but 32-bit); nothing is raised. A file read
// before and unchanged since is copied from the picture cache.
void LoadPngFile(const std::wstring& path, forms::TBitmap& bitmap);

// The skin loading entry: the same as LoadPngFile.
void LoadPngToBitmap(const std::wstring& path, forms::TBitmap& bitmap);

}  // namespace gs
