#include "TMaskMKForm.h"

TMaskMKForm::TMaskMKForm(forms::TComponent* owner, int left, int top, int width, int height)
    : TDimmingFormOf(owner, L"MaskMKForm", L"popup_bg2.png", left, top, width, height)
{
    DoCreate();
}

TMaskMKForm::~TMaskMKForm() = default;
