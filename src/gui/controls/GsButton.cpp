#include "gui/controls/GsButton.h"

#include "forms/Form.h"

namespace gs {

int ComputeDrawState(bool enabled, bool focused, bool keyPressed, bool hovered, bool mousePressed)
{
    if (!enabled)
        return dsDisabled;
    // Focus outranks pressing.
    if (focused)
        return hovered ? dsActive : dsFocused;
    if (keyPressed)
        return dsSunken;
    if (hovered)
        return mousePressed ? dsSunken : dsHovered;
    return dsRaised;
}

GsButton::GsButton(forms::TComponent* owner)
    : GsCustomButton(owner),
      appearance_(std::make_unique<GsButtonAppearance>(
          [this](forms::TObject* sender, int index) { AppearanceChanged(sender, index); })),
      textEffect_(std::make_unique<GsButtonOuterGlowTextEffect>())
{
}

GsButton::~GsButton() = default;

void GsButton::SetAppearance(GsButtonAppearance* value)
{
    if (value != appearance_.get())
        appearance_->Assign(value);
}

void GsButton::SetTextEffect(GsButtonOuterGlowTextEffect* value)
{
    if (value != textEffect_.get())
        textEffect_->Assign(value);
}

void GsButton::UpdateDrawState()
{
    drawState_ = ComputeDrawState(Enabled(), HasFocus(), IsKeyPressed(), IsHovered(), IsMousePressed());
}

void GsButton::DrawFace()
{
    UpdateDrawState();
    DrawAppearance(*appearance_, 0, drawState_);
}

void GsButton::Paint()
{
    DrawFace();
}

void GsButton::GetFaceSize(int& width, int& height)
{
    if (!appearance_) {
        GsCustomButton::GetFaceSize(width, height);
        return;
    }
    width = appearance_->Raised()->Width();
    height = appearance_->Raised()->Height();
}

TTextPainter* GsButton::GetTextPainter(int drawState)
{
    return textEffect_->GetPainter(0, drawState);
}

void GsButton::FontChanged(forms::TObject*)
{
    // Replaces the control's own handling: the font reaches the caption only through the text effect.
    if (textEffect_)
        textEffect_->Raised().SetFont(&Font());
}

void GsButton::Click()
{
    if (auto* form = forms::GetParentForm(this))
        form->SetModalResult(modalResult_);
    GsCustomButton::Click();
}

}  // namespace gs
