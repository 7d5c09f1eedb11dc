#pragma once

#include <windows.h>

namespace forms {
class TBitmap;
}

#include <memory>
#include <string>
#include <utility>

// Owns an icon handle and destroys it.
class IconHandle {
public:
    IconHandle() = default;
    explicit IconHandle(HICON icon) noexcept : icon_(icon) {}
    IconHandle(IconHandle&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    IconHandle& operator=(IconHandle&& other) noexcept
    {
        Reset(std::exchange(other.icon_, nullptr));
        return *this;
    }
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    ~IconHandle() { Reset(); }

    HICON Get() const noexcept { return icon_; }
    explicit operator bool() const noexcept { return icon_ != nullptr; }
    void Reset(HICON icon = nullptr) noexcept
    {
        if (icon_ && icon_ != icon)
            DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

// The shell's icon of a file or folder at the shell's icon size, or none.
IconHandle GetFileIcon(const std::wstring& path);

// The file's icon as a 16 x 16 picture with alpha, made by the image library; null while the
// library is not bound and when the file has no icon.
std::unique_ptr<forms::TBitmap> FileIconBitmap(const std::wstring& path);
