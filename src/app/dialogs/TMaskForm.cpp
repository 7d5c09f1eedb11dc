#include "TMaskForm.h"

#include "forms/Image.h"

namespace {

HWND& ParentWindow()
{
    static HWND window = nullptr;
    return window;
}

const UINT ZavadOvaMessage = RegisterWindowMessageW(L"ZavadOva Main Window Message");

} // namespace

TMaskForm::TMaskForm(forms::TComponent* owner, int left, int top, int width, int height)
    : TDimmingForm(owner, L"MaskForm", L"popup_bg.png", ParentWindow(), left, top, width, height)
{
    Image()->OnClick = [this](forms::TObject* sender) { OnImageClick(sender); };
    DoCreate();
}

TMaskForm::~TMaskForm() = default;

void TMaskForm::SetParentWindow(HWND window)
{
    ParentWindow() = window;
}

HWND TMaskForm::GetParentWindow()
{
    return ParentWindow();
}

void TMaskForm::OnImageClick(forms::TObject*)
{
    if (const HWND mainWindow = FindWindowW(L"TfmZavadOva", L"Tastro"))
        SendMessageW(mainWindow, ZavadOvaMessage, kCloseEditSubCode, 0);
}
