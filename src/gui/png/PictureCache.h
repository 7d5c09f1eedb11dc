#pragma once

// Decoded skin pictures by file: the program builds many controls from the same few files, and
// decoding a file again costs far more than copying its picture.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "forms/Bitmap.h"

namespace gs {

// The size and time of last writing of a file; a picture is kept for the file as it was then.
struct FileStamp {
    std::uint64_t Size = 0;
    std::uint64_t WriteTime = 0;

    // Nothing for a file that cannot be looked at.
    static std::optional<FileStamp> Of(const std::wstring& path);
    bool operator==(const FileStamp&) const = default;
};

// Keeps only pictures that were read; a file that failed is read again next time and fails as it did.
// Pictures larger than the buttons' and dialogs' (the window backgrounds, each read once) are not kept:
// a copy would only hold memory.
class PictureCache {
public:
    static constexpr int kMaxKeptPixels = 256 * 256;

    static PictureCache& Instance();

    // Puts a copy of the picture kept for the file at `path` into `bitmap` the way a read does (swapped
    // in, so the bitmap's other settings stay); false when none is kept for the file as `stamp` has it.
    bool CopyTo(const std::wstring& path, const FileStamp& stamp, forms::TBitmap& bitmap);
    // Keeps a copy of `picture` for the file, when it is small enough.
    void Keep(const std::wstring& path, const FileStamp& stamp, forms::TBitmap& picture);

private:
    struct Entry {
        FileStamp Stamp;
        std::unique_ptr<forms::TBitmap> Picture;
    };
    std::unordered_map<std::wstring, Entry> entries_;
};

}  // namespace gs
