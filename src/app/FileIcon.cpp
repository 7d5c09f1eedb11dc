#include "FileIcon.h"

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
