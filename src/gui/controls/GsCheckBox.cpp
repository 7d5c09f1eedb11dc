#include "gui/controls/GsCheckBox.h"

#include "gui/controls/GsButton.h"

namespace gs {

GsCheckBox::GsCheckBox(forms::TComponent* owner)
    : GsCustomButton(owner),
      appearance_(std::make_unique<GsCheckBoxAppearance>(
          [this](forms::TObject* sender, int index) { AppearanceChanged(sender, index); })),
      textEffect_(std::make_unique<GsCheckBoxOuterGlowTextEffect>())
{
}

GsCheckBox::~GsCheckBox() = default;

void GsCheckBox::SetAppearance(GsCheckBoxAppearance* value)
{
    if (value != appearance_.get())
        appearance_->Assign(value);
}

void GsCheckBox::SetTextEffect(GsCheckBoxOuterGlowTextEffect* value)
{
    if (value != textEffect_.get())
        textEffect_->Assign(value);
    Invalidate();
}

void GsCheckBox::SetState(forms::TCheckBoxState value)
{
    if (value == state_)
        return;
    state_ = value;
    Invalidate();
}

bool GsCheckBox::GetChecked()
{
    return state_ == forms::cbChecked;
}

void GsCheckBox::SetChecked(bool value)
{
    if (value == GetChecked())
        return;
    state_ = value ? forms::cbChecked : forms::cbUnchecked;
    Invalidate();
}

void GsCheckBox::UpdateDrawState()
{
    drawState_ = ComputeDrawState(Enabled(), HasFocus(), IsKeyPressed(), IsHovered(), IsMousePressed());
}

void GsCheckBox::DrawFace()
{
    UpdateDrawState();
    DrawAppearance(*appearance_, state_, drawState_);
}

void GsCheckBox::Paint()
{
    DrawFace();
}

void GsCheckBox::GetFaceSize(int& width, int& height)
{
    width = appearance_->Unchecked()->Raised()->Width();
    height = appearance_->Unchecked()->Raised()->Height();
}

TTextPainter* GsCheckBox::GetTextPainter(int drawState)
{
    return textEffect_->GetPainter(state_, drawState);
}

void GsCheckBox::FontChanged(forms::TObject*)
{
    if (textEffect_)
        textEffect_->Unchecked().Raised().SetFont(&Font());
}

void GsCheckBox::Click()
{
    switch (state_) {
    case forms::cbUnchecked:
        SetState(allowGrayed_ ? forms::cbGrayed : forms::cbChecked);
        break;
    case forms::cbChecked:
        SetState(forms::cbUnchecked);
        break;
    case forms::cbGrayed:
        SetState(forms::cbChecked);
        break;
    }
    GsCustomButton::Click();
}

void GsCheckBox::KeyPress(wchar_t& key)
{
    GsCustomButton::KeyPress(key);
    if (key == L' ')
        Click();
}

}  // namespace gs
