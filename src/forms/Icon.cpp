#include "forms/Icon.h"

#include "forms/Canvas.h"
#include "forms/Exceptions.h"
#include "forms/GdiHandles.h"

namespace forms {

TIcon::~TIcon()
{
    if (icon_)
        DestroyIcon(icon_);
}

void TIcon::Take(HICON icon)
{
    if (icon_ && icon_ != icon)
        DestroyIcon(icon_);
    icon_ = icon;
    width_ = height_ = 0;
    if (icon_) {
        ICONINFO info{};
        if (GetIconInfo(icon_, &info)) {
            BitmapHandle mask(info.hbmMask);
            BitmapHandle colour(info.hbmColor);
            BITMAP bm{};
            if (colour && GetObjectW(colour.Get(), sizeof(bm), &bm)) {
                width_ = bm.bmWidth;
                height_ = bm.bmHeight;
            } else if (mask && GetObjectW(mask.Get(), sizeof(bm), &bm)) {
                // A monochrome icon's mask holds the AND and XOR halves one above the other.
                width_ = bm.bmWidth;
                height_ = bm.bmHeight / 2;
            }
        }
    }
}

void TIcon::LoadFromFile(const std::wstring& fileName)
{
    const HANDLE file = CreateFileW(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw EFOpenError(fileName, GetLastError());
    CloseHandle(file);
    const auto icon = static_cast<HICON>(LoadImageW(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0,
                                                    LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (!icon)
        throw EInvalidGraphicOperation(L"Icon image is not valid");
    Take(icon);
    Changed();
}

void TIcon::SetHandle(HICON icon)
{
    if (icon == icon_)
        return;
    Take(icon);
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    const HICON icon = icon_;
    icon_ = nullptr;
    width_ = height_ = 0;
    return icon;
}

void TIcon::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        Take(nullptr);
        Changed();
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(source)) {
        Take(icon->icon_ ? CopyIcon(icon->icon_) : nullptr);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TIcon::Draw(TCanvas& canvas, const TRect& rect)
{
    if (icon_)
        DrawIconEx(canvas.Handle(), rect.Left, rect.Top, icon_, rect.Width(), rect.Height(), 0, nullptr, DI_NORMAL);
}

}  // namespace forms
