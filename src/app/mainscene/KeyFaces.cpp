#include "KeyFaces.h"

#include "gui/controls/GsRadioButton.h"
#include "gui/graphics/image.h"

namespace {

constexpr forms::TColor kKeyText = 0x2730B8;
constexpr forms::TColor kSelectedKeyText = 0xCED0FF;

} // namespace

KeyCaptionLayout KeyCaptionLayoutFor(int textWidth) noexcept
{
    // Truncated toward zero, also for names wider than the 190 pixels.
    const int leftMargin = static_cast<int>((190 - textWidth) * 0.5 + 25);
    return {leftMargin, leftMargin - 26};
}

std::array<const wchar_t*, kKeyFaceCount> KeyFacePictureNames(bool assigned)
{
    if (!assigned)
        return {L"F_n.png", L"F_dn.png", L"F_dn.png", L"F_dn.png", L"F_dn.png", L"F_dn.png"};
    return {L"F_n.png", L"F_no.png", L"F_dn.png", L"F_do.png", L"F_x.png", L"F_xd.png"};
}

KeyFaceSet ComposeKeyFaces(forms::TBitmap& scene, forms::TPoint origin, const KeyFacePictures& pictures,
                           forms::TBitmap* icon, int iconLeft)
{
    const bool drawIcon = icon && !gs::IsEmptyBitmap(icon) && icon->PixelFormat() == forms::pf32bit;
    const forms::TSize firstSize = gs::IsEmptyBitmap(pictures[0])
                                       ? forms::TSize{0, 0}
                                       : forms::TSize{pictures[0]->Width(), pictures[0]->Height()};
    KeyFaceSet faces;
    for (int i = 0; i < kKeyFaceCount; ++i) {
        forms::TBitmap* picture = pictures[i];
        const bool hasPicture = !gs::IsEmptyBitmap(picture) && picture->PixelFormat() == forms::pf32bit;
        const forms::TSize size = hasPicture ? forms::TSize{picture->Width(), picture->Height()} : firstSize;
        auto face = std::make_unique<forms::TBitmap>();
        // A face that gets something blended onto it is 24-bit (the blend's destination format) from the
        // start rather than converted on the first blend; a bare patch keeps the scene's 32 bits.
        face->SetPixelFormat(hasPicture || drawIcon ? forms::pf24bit : forms::pf32bit);
        face->SetSize(size.cx, size.cy);
        const forms::TRect whole(0, 0, size.cx, size.cy);
        face->Canvas().CopyRect(whole, scene.Canvas(),
                                forms::TRect(origin.X, origin.Y, origin.X + size.cx, origin.Y + size.cy));
        if (hasPicture)
            gs::AlphaBlendBitmap(*face, whole, *picture, forms::TPoint(0, 0), 255);
        // The blend keeps to the cells both bitmaps have: a name wider than the button puts the
        // icon partly or wholly left of the face, and only its visible part is drawn.
        if (drawIcon)
            gs::AlphaBlendBitmap(*face,
                                 forms::TRect(iconLeft, kKeyIconTop, iconLeft + icon->Width(), kKeyIconTop + icon->Height()),
                                 *icon, forms::TPoint(0, 0), 255);
        faces[static_cast<std::size_t>(i)] = std::move(face);
    }
    return faces;
}

void StyleKeyCaption(gs::GsRadioButton& button, int leftMargin)
{
    button.Font().SetColor(kKeyText);
    gs::GsRadioButtonOuterGlowTextEffect& effect = button.TextEffect();
    for (gs::GsTextRadiationEffect* state : {&effect.Checked().Raised(), &effect.Checked().Hovered(),
                                             &effect.Checked().Sunken(), &effect.Checked().Disabled()})
        state->Font().SetColor(kSelectedKeyText);
    for (gs::GsTextRadiationEffect* state :
         {&effect.Unchecked().Raised(), &effect.Unchecked().Hovered(), &effect.Unchecked().Disabled()})
        state->Font().SetColor(kKeyText);
    effect.Unchecked().Sunken().Font().SetColor(kSelectedKeyText);
    for (gs::GsButtonOuterGlowTextEffect* side : {&effect.Checked(), &effect.Unchecked()}) {
        side->Sunken().SetOffsetX(1);
        side->Sunken().SetOffsetY(1);
        side->Sunken().Font().SetStyle(0);
        side->Hovered().Font().SetStyle(0);
    }
    button.SetWordWrap(false);
    button.SetAlignment(forms::taLeftJustify);
    gs::GsTextMargins& margins = button.TextMargins();
    margins.SetLeft(leftMargin);
    margins.SetRight(26);
    margins.SetTop(0);
    margins.SetBottom(0);
}
