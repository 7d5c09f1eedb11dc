#include "forms/Font.h"

#include <cwchar>

#include "forms/Screen.h"

namespace forms {

TFont::TFont() : pixelsPerInch_(Screen().PixelsPerInch()) {}

void TFont::Changed()
{
    handle_.reset();
    if (OnChange)
        OnChange(this);
}

void TFont::SetName(const std::wstring& name)
{
    // An empty name keeps the present one, as a font always has a face.
    if (name.empty() || name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

void TFont::SetCharset(BYTE charset)
{
    if (charset == charset_)
        return;
    charset_ = charset;
    Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch == pitch_)
        return;
    pitch_ = pitch;
    Changed();
}

void TFont::SetQuality(TFontQuality quality)
{
    if (quality == quality_)
        return;
    quality_ = quality;
    Changed();
}

void TFont::SetOrientation(int tenthsOfDegree)
{
    if (tenthsOfDegree == orientation_)
        return;
    orientation_ = tenthsOfDegree;
    Changed();
}

LOGFONTW TFont::LogFont() const
{
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = orientation_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? 1 : 0;
    lf.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    static const BYTE qualities[] = {DEFAULT_QUALITY, DRAFT_QUALITY, PROOF_QUALITY, NONANTIALIASED_QUALITY,
                                     ANTIALIASED_QUALITY, CLEARTYPE_QUALITY};
    lf.lfQuality = qualities[quality_];
    static const BYTE pitches[] = {DEFAULT_PITCH, VARIABLE_PITCH, FIXED_PITCH};
    lf.lfPitchAndFamily = pitches[pitch_];
    std::wcsncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    return lf;
}

SharedGdiObject<HFONT> TFont::SharedHandle()
{
    if (!handle_) {
        const LOGFONTW lf = LogFont();
        handle_ = MakeSharedGdiObject(CreateFontIndirectW(&lf));
    }
    return handle_;
}

HFONT TFont::Handle()
{
    const auto shared = SharedHandle();
    return shared ? shared->Get() : nullptr;
}

void TFont::Assign(TPersistent* source)
{
    if (auto* font = dynamic_cast<TFont*>(source)) {
        if (font == this)
            return;
        name_ = font->name_;
        height_ = font->height_;
        color_ = font->color_;
        style_ = font->style_;
        charset_ = font->charset_;
        pitch_ = font->pitch_;
        quality_ = font->quality_;
        orientation_ = font->orientation_;
        pixelsPerInch_ = font->pixelsPerInch_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

}  // namespace forms
