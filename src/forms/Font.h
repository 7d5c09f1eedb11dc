#pragma once

// A font description that realizes itself as an HFONT on demand.

#include <windows.h>

#include <string>

#include "forms/Color.h"
#include "forms/GdiHandles.h"
#include "forms/Object.h"
#include "forms/Types.h"

namespace forms {

enum TFontStyle : unsigned {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType };

// Defaults: Tahoma, Height -11, colour clWindowText, no style. OnChange fires after every setter that
// changes a value and after Assign.
class TFont : public TPersistent {
public:
    TFont();

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // LOGFONT height: negative = character height, positive = cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points: Size = -Height * 72 / PixelsPerInch, rounded.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);
    TFontQuality Quality() const { return quality_; }
    void SetQuality(TFontQuality quality);
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenthsOfDegree);
    // The resolution Size converts with; the screen's by default.
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi > 0 ? ppi : 96; }

    LOGFONTW LogFont() const;
    // The realized font, made again after a change. It stays valid while this font is unchanged.
    HFONT Handle();
    // The same, shared, for holders (canvases) that keep it selected after the font changes.
    SharedGdiObject<HFONT> SharedHandle();

    void Assign(TPersistent* source) override;

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    std::wstring name_ = L"Tahoma";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    TFontQuality quality_ = fqDefault;
    int orientation_ = 0;
    int pixelsPerInch_;
    SharedGdiObject<HFONT> handle_;
};

}  // namespace forms
