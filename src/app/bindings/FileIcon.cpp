#include "FileIcon.h"

#include "IconformDll.h"
#include "forms/Bitmap.h"

#include <shellapi.h>

IconHandle GetFileIcon(const std::wstring& path)
{
    SHFILEINFOW info{};
    const DWORD_PTR found = SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SHELLICONSIZE);
    // The shell's own handle is always given back; the caller gets a copy.
    const IconHandle shellIcon(info.hIcon);
    if (found == 0 || !shellIcon)
        return IconHandle();
    return IconHandle(CopyIcon(shellIcon.Get()));
}

std::unique_ptr<forms::TBitmap> FileIconBitmap(const std::wstring& path)
{
    constexpr int kIconSize = 16;
    if (path.empty() || !IconformDll::GetInstance().IsBound())
        return nullptr;
    const IconHandle icon = GetFileIcon(path);
    if (!icon)
        return nullptr;
    const HBITMAP handle = IconformDll::GetInstance().GetBitmapFromIcon(icon.Get(), kIconSize, kIconSize);
    if (handle == nullptr)
        return nullptr;
    auto bitmap = std::make_unique<forms::TBitmap>();
    // The bitmap takes the handle over.
    bitmap->SetHandle(handle);
    return bitmap;
}
