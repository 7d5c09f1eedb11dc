#include "SkinPictures.h"

#include "forms/Bitmap.h"
#include "forms/Stream.h"
#include "gui/png/PngReader.h"

namespace mainwindow {
namespace {

constexpr std::uint32_t kWindowKey = 0xFF00FF;
constexpr std::uint32_t kTabKey = 0x0A0A0A;

std::uint32_t Rgb(forms::TBitmap& bitmap, int x, int y)
{
    if (x < 0 || y < 0 || x >= bitmap.Width() || y >= bitmap.Height())
        return 0xFFFFFFFF;
    const auto* p = static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + x * 4;
    return std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

std::vector<POINT> KeyedCorners(forms::TBitmap& bitmap)
{
    std::vector<POINT> found;
    const int w = bitmap.Width(), h = bitmap.Height();
    for (const POINT p : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}, POINT{2, 1},
                          POINT{w - 3, 1}, POINT{1, h - 3}, POINT{w - 2, h - 3}})
        if (Rgb(bitmap, p.x, p.y) == kWindowKey)
            found.push_back(p);
    return found;
}

} // namespace

SkinPictures::SkinPictures(const std::wstring& programFolder)
    : resource_(programFolder + L"resource\\")
{
    static gs::PngManager png(programFolder + L"Pixlo.dll");
    for (const wchar_t* name : {L"background\\BG.png", L"popup\\popup.png", L"tab\\tab_n.png", L"tab\\tab_d.png", L"tab\\tab_od.png",
                                L"radiobutton\\F_n.png", L"combined_key\\frame.png", L"combined_key\\action\\key_down_n.png",
                                L"combined_key\\action\\key_up_n.png", L"combined_key\\action\\time_n.png",
                                L"button\\ON_n.png", L"button\\OFF_n.png"}) {
        auto bitmap = std::make_unique<forms::TBitmap>();
        bitmap->SetPixelFormat(forms::pf32bit);
        try {
            forms::TFileStream stream(resource_ + name, forms::fmOpenRead | forms::fmShareDenyNone);
            png.Read(stream, *bitmap);
        } catch (...) {
        }
        pictures_[name] = std::move(bitmap);
    }
}

SkinPictures::~SkinPictures() = default;

forms::TBitmap& SkinPictures::Picture(const std::wstring& name) const
{
    return *pictures_.at(name);
}

bool SkinPictures::Loaded() const
{
    for (const auto& [name, bitmap] : pictures_)
        if (bitmap->Width() == 0 || bitmap->PixelFormat() != forms::pf32bit)
            return false;
    return true;
}

std::uint32_t SkinPictures::Background(int x, int y) const
{
    return Rgb(Picture(L"background\\BG.png"), x, y);
}

std::uint32_t SkinPictures::Popup(int x, int y) const
{
    return Rgb(Picture(L"popup\\popup.png"), x, y);
}

std::uint32_t SkinPictures::Blend(const std::wstring& picture, int px, int py, int bx, int by) const
{
    forms::TBitmap& source = Picture(picture);
    const auto* s = static_cast<const std::uint8_t*>(source.ScanLine(py)) + px * 4;
    const std::uint32_t d = Background(bx, by);
    // The toolkit's blend of a straight-alpha pixel over an opaque one, truncated.
    const double cover = s[3] / 255.0, h = 1.0 - cover;
    std::uint32_t result = 0;
    for (int c = 0; c < 3; ++c) {
        const long double value = static_cast<long double>(s[c]) * cover + static_cast<long double>((d >> (8 * c)) & 0xFF) * h;
        result |= std::uint32_t(static_cast<std::uint8_t>(value)) << (8 * c);
    }
    return result;
}

std::vector<POINT> SkinPictures::KeyColouredCorners() const
{
    return KeyedCorners(Picture(L"background\\BG.png"));
}

std::vector<POINT> SkinPictures::PopupKeyColouredCorners() const
{
    return KeyedCorners(Picture(L"popup\\popup.png"));
}

POINT SkinPictures::TabCutPoint() const
{
    forms::TBitmap& tab = Picture(L"tab\\tab_n.png");
    for (int y = 0; y < tab.Height(); ++y)
        for (int x = 0; x < tab.Width(); ++x)
            if (Rgb(tab, x, y) == kTabKey)
                return {x, y};
    return {-1, -1};
}

} // namespace mainwindow
