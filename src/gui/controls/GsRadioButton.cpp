#include "gui/controls/GsRadioButton.h"

#include "forms/WinControl.h"
#include "gui/controls/GsButton.h"

namespace gs {

GsRadioButton::GsRadioButton(forms::TComponent* owner)
    : GsCustomButton(owner),
      appearance_(std::make_unique<GsRadioButtonAppearance>(
          [this](forms::TObject* sender, int index) { AppearanceChanged(sender, index); })),
      textEffect_(std::make_unique<GsRadioButtonOuterGlowTextEffect>())
{
}

GsRadioButton::~GsRadioButton() = default;

void GsRadioButton::SetAppearance(GsRadioButtonAppearance* value)
{
    if (value != appearance_.get())
        appearance_->Assign(value);
}

void GsRadioButton::SetTextEffect(GsRadioButtonOuterGlowTextEffect* value)
{
    if (value != textEffect_.get())
        textEffect_->Assign(value);
}

bool GsRadioButton::GetChecked()
{
    return checked_;
}

void GsRadioButton::SetChecked(bool value)
{
    if (value == GetChecked())
        return;
    checked_ = value;
    if (value)
        UncheckSiblings();
    Invalidate();
}

void GsRadioButton::UncheckSiblings()
{
    forms::TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<GsRadioButton*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->GroupIndex() == groupIndex_)
            sibling->SetChecked(false);
    }
}

void GsRadioButton::UpdateDrawState()
{
    drawState_ = ComputeDrawState(Enabled(), HasFocus(), IsKeyPressed(), IsHovered(), IsMousePressed());
}

void GsRadioButton::DrawFace()
{
    UpdateDrawState();
    DrawAppearance(*appearance_, checked_ ? 1 : 0, drawState_);
}

void GsRadioButton::Paint()
{
    DrawFace();
}

void GsRadioButton::GetFaceSize(int& width, int& height)
{
    width = appearance_->Unchecked()->Raised()->Width();
    height = appearance_->Unchecked()->Raised()->Height();
}

TTextPainter* GsRadioButton::GetTextPainter(int drawState)
{
    return textEffect_->GetPainter(checked_ ? 1 : 0, drawState);
}

void GsRadioButton::FontChanged(forms::TObject*)
{
    if (textEffect_)
        textEffect_->Unchecked().Raised().SetFont(&Font());
}

void GsRadioButton::Click()
{
    SetChecked(true);
    GsCustomButton::Click();
}

void GsRadioButton::DblClick()
{
    SetChecked(true);
    GsCustomButton::DblClick();
}

void GsRadioButton::KeyPress(wchar_t& key)
{
    GsCustomButton::KeyPress(key);
    if (key == L' ')
        Click();
}

}  // namespace gs
