#pragma once

// An icon picture owning its HICON.

#include <windows.h>

#include <string>

#include "forms/Graphic.h"

namespace forms {

class TIcon : public TGraphic {
public:
    TIcon() = default;
    ~TIcon() override;

    // Raises EFOpenError when the file cannot be opened, EInvalidGraphicOperation when it is no icon.
    void LoadFromFile(const std::wstring& fileName);
    HICON Handle() const { return icon_; }
    // Takes ownership of `icon` (the previous one is destroyed).
    void SetHandle(HICON icon);
    // Gives the icon up to the caller; the TIcon becomes empty.
    HICON ReleaseHandle();

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Empty() const override { return icon_ == nullptr; }

    // Copies another TIcon (an icon of its own, not shared); null empties.
    void Assign(TPersistent* source) override;

protected:
    void Draw(TCanvas& canvas, const TRect& rect) override;

private:
    void Take(HICON icon);

    HICON icon_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace forms
