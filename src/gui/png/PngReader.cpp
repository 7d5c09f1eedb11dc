#include "gui/png/PngReader.h"

#include <climits>
#include <exception>

#include "forms/Assert.h"
#include "forms/Rtl.h"
#include "gui/png/PictureCache.h"

namespace gs {

int WINAPI PngStreamRead(void* context, void* buffer, int count) noexcept
{
    if (!context || !buffer || count <= 0)
        return 0;
    try {
        const int read = static_cast<forms::TStream*>(context)->Read(buffer, count);
        return read > 0 && read <= count ? read : 0;
    } catch (...) {
        // A read error ends the picture; the library then rejects it.
        return 0;
    }
}

PngManager& PngManager::GetInstance()
{
    static PngManager* const instance = new PngManager(GetDllPath());
    return *instance;
}

PngManager::PngManager(const std::wstring& dllPath)
{
    // The wide path: a program folder the ANSI code page cannot name loads too.
    m_hinst = LoadLibraryW(dllPath.c_str());
    FORMS_ASSERT(m_hinst);
    m_ReadPngEx = reinterpret_cast<ReadPngExProc>(reinterpret_cast<void*>(GetProcAddress(m_hinst, "ReadPngEx")));
    m_WritePngEx = GetProcAddress(m_hinst, "WritePngEx");
    m_FreePngData =
        reinterpret_cast<FreePngDataProc>(reinterpret_cast<void*>(GetProcAddress(m_hinst, "FreePngData")));
    m_AllocatePngData = GetProcAddress(m_hinst, "AllocatePngData");
}

PngManager::~PngManager()
{
    if (m_hinst)
        FreeLibrary(m_hinst);
}

std::wstring PngManager::GetDllPath()
{
    return forms::ExtractFilePath(forms::ModuleFileName()) + L"Pixlo.dll";
}

bool PngManager::Read(forms::TStream& stream, forms::TBitmap& bitmap)
{
    // Without both entry points a record could not be filled or could not be given back.
    if (!m_ReadPngEx || !m_FreePngData)
        return false;
    PngData data{};
    if (!m_ReadPngEx(&data, PngStreamRead, &stream))
        return false;

    // The record goes back to the library whatever happens to the bitmap.
    struct GiveBack {
        FreePngDataProc free;
        PngData* data;
        ~GiveBack() { free(data); }
    } giveBack{m_FreePngData, &data};

    if (data.Width > INT_MAX || data.Height > INT_MAX || (data.Width > 0 && data.Height > 0 && !data.Rows))
        return false;
    // The picture is made apart and swapped in whole: one too large for memory is refused like a corrupt
    // one and leaves the bitmap exactly as it was.
    const bool alpha = bitmap.PixelFormat() == forms::pf32bit;
    forms::TBitmap picture;
    try {
        picture.SetPixelFormat(alpha ? forms::pf32bit : forms::pf24bit);
        CopyRows(data, picture, alpha ? 4 : 3);
    } catch (const std::exception&) {
        return false;
    }
    bitmap.Swap(picture);
    return true;
}

void PngManager::CopyRows(const PngData& data, forms::TBitmap& bitmap, int bytesPerPixel)
{
    const int width = static_cast<int>(data.Width);
    const int height = static_cast<int>(data.Height);
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    if (width == 0 || height == 0)
        return;

    const bool rgba = data.ColorType == PngColorTypeRgba;
    const int sourceStep = rgba ? 4 : 3;
    const forms::PixelView view = bitmap.View();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* d = view.Row(y);
        const std::uint8_t* s = data.Rows[y];
        for (int x = 0; x < width; ++x, d += bytesPerPixel, s += sourceStep) {
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
            if (bytesPerPixel == 4) {
                if (rgba) {
                    d[3] = s[3];
                    if (s[3] == 0)
                        d[0] = d[1] = d[2] = 0;
                } else {
                    d[3] = 255;
                }
            }
        }
    }
}

void LoadPngFile(const std::wstring& path, forms::TBitmap& bitmap)
{
    bitmap.SetPixelFormat(forms::pf32bit);
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    try {
        if (stamp && PictureCache::Instance().CopyTo(path, *stamp, bitmap))
            return;
        forms::TFileStream stream(path, forms::fmOpenRead | forms::fmShareDenyNone);
        if (PngManager::GetInstance().Read(stream, bitmap) && stamp)
            PictureCache::Instance().Keep(path, *stamp, bitmap);
    } catch (const std::exception&) {
        // A skin picture that cannot be opened or read leaves its bitmap as it was.
    }
}

void LoadPngToBitmap(const std::wstring& path, forms::TBitmap& bitmap)
{
    LoadPngFile(path, bitmap);
}

}  // namespace gs
