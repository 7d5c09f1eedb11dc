#include "gui/png/PictureCache.h"

namespace gs {

std::optional<FileStamp> FileStamp::Of(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FileStamp{(std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
                     (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

PictureCache& PictureCache::Instance()
{
    // Never destroyed: its bitmaps may outlive the end of the program's own objects.
    static auto* const instance = new PictureCache();
    return *instance;
}

bool PictureCache::CopyTo(const std::wstring& path, const FileStamp& stamp, forms::TBitmap& bitmap)
{
    const auto found = entries_.find(path);
    if (found == entries_.end() || !(found->second.Stamp == stamp))
        return false;
    forms::TBitmap picture;
    picture.Assign(found->second.Picture.get());
    bitmap.Swap(picture);
    return true;
}

void PictureCache::Keep(const std::wstring& path, const FileStamp& stamp, forms::TBitmap& picture)
{
    if (static_cast<std::int64_t>(picture.Width()) * picture.Height() > kMaxKeptPixels) {
        entries_.erase(path);
        return;
    }
    auto copy = std::make_unique<forms::TBitmap>();
    copy->Assign(&picture);
    entries_[path] = Entry{stamp, std::move(copy)};
}

}  // namespace gs
