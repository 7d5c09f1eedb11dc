#include "TMaskForm.h"

#include "MainWindowProtocol.h"

#include "forms/Image.h"

namespace {

const UINT ZavadOvaMessage = RegisterWindowMessageW(kMainWindowMessageName);

} // namespace

TMaskForm::TMaskForm(forms::TComponent* owner, int left, int top, int width, int height)
    : TDimmingFormOf(owner, L"MaskForm", L"popup_bg.png", left, top, width, height)
{
    Image()->OnClick = [this](forms::TObject* sender) { OnImageClick(sender); };
    DoCreate();
}

TMaskForm::~TMaskForm() = default;

void TMaskForm::OnImageClick(forms::TObject*)
{
    if (const HWND mainWindow = FindWindowW(kMainWindowClass, kMainWindowCaption))
        SendMessageW(mainWindow, ZavadOvaMessage, MKM_CLOSE_EDIT, 0);
}
