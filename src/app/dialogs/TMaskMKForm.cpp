#include "TMaskMKForm.h"

namespace {

HWND& ParentWindow()
{
    static HWND window = nullptr;
    return window;
}

} // namespace

TMaskMKForm::TMaskMKForm(forms::TComponent* owner, int left, int top, int width, int height)
    : TDimmingForm(owner, L"MaskMKForm", L"popup_bg2.png", ParentWindow(), left, top, width, height)
{
    DoCreate();
}

TMaskMKForm::~TMaskMKForm() = default;

void TMaskMKForm::SetParentWindow(HWND window)
{
    ParentWindow() = window;
}

HWND TMaskMKForm::GetParentWindow()
{
    return ParentWindow();
}
