#include "KeyAssigner.h"

#include "CMaskControl.h"
#include "FunData.h"
#include "IniFile.h"
#include "MainMessages.h"
#include "MainScene.h"
#include "TConfirmDlg.h"
#include "TRenameDlg.h"
#include "Translate.h"

#include "forms/Label.h"
#include "forms/Rtl.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/GsButton.h"

#include <optional>

namespace {

constexpr DWORD kRefreshPauseMs = 1000;

std::wstring Cut(const std::wstring& text, std::size_t length)
{
    return text.substr(0, std::min(text.size(), length));
}

} // namespace

RenameTexts RenameDialogTexts(const std::wstring& defaultName, KeyNameField field, int storedType,
                              const std::wstring& storedName)
{
    RenameTexts texts;
    texts.message = Cut(defaultName, TRenameDlg::kMaxNameLength);
    const bool stored = field == KeyNameField::StoredName && storedType != FUN_TYPE_NONE;
    texts.nameField = stored ? storedName : texts.message;
    return texts;
}

std::wstring ChosenKeyName(const std::wstring& nameField, const std::wstring& message, bool trim)
{
    std::wstring name = WithoutLineBreaks(nameField.empty() ? message : nameField);
    if (trim)
        name = forms::Trim(name);
    return Cut(name, kDisplayNameCapacity - 1);
}

KeyAssigner::KeyAssigner(forms::TForm* mainForm)
    : mainForm_(mainForm)
    , mainWindow_(FindWindowW(kMainWindowClass, kMainWindowCaption))
{
}

TRenameDlg* KeyAssigner::RenameDialog()
{
    if (renameDialog_ == nullptr)
        renameDialog_ = new TRenameDlg(mainForm_);
    return renameDialog_;
}

TConfirmDlg* KeyAssigner::ConfirmDialog()
{
    if (confirmDialog_ == nullptr)
        confirmDialog_ = new TConfirmDlg(mainForm_);
    return confirmDialog_;
}

void KeyAssigner::Warn(const std::wstring& message, const std::wstring& button, bool dim)
{
    std::optional<MainWindowDim> dimmed;
    if (dim)
        dimmed.emplace(mainForm_);
    TConfirmDlg* dialog = ConfirmDialog();
    dialog->TitleLabel->SetCaption(Translate(L"Warning"));
    dialog->MessageLabel->SetCaption(message);
    dialog->CancelButton->SetCaption(button);
    dialog->ConfirmButton->SetVisible(false);
    dialog->SetPosition(forms::poMainFormCenter);
    dialog->ShowModal();
}

KeyAssignOutcome KeyAssigner::Assign(const KeyAssignRequest& request, const KeyWriter& writer)
{
    const std::optional<int> n = SelectedKeyNumber();
    if (!n) {
        Warn(Translate(L"You need select fun key."), Translate(L"OK"), request.dimWarning);
        return KeyAssignOutcome::NoKeySelected;
    }
    TRenameDlg* dialog = RenameDialog();
    const MainWindowDim dim(mainForm_);
    RenameTexts texts;
    {
        // Read now and copied: the record may be re-created while the dialog runs.
        const _FunData* record = FindFunData(*n);
        texts = RenameDialogTexts(request.defaultName, request.nameField, record ? record->Type : FUN_TYPE_NONE,
                                  record ? std::wstring(FieldText(record->DisplayName)) : std::wstring());
    }
    dialog->MessageLabel->SetCaption(texts.message);
    dialog->TitleLabel->SetCaption(FunSection(*n));
    dialog->NameEdit->SetText(texts.nameField);
    dialog->NameEdit->SelectAll();
    dialog->SetPosition(forms::poMainFormCenter);
    if (dialog->ShowModal() != forms::mrOk)
        return KeyAssignOutcome::Cancelled;

    const std::wstring name = ChosenKeyName(dialog->NameEdit->Text(), dialog->MessageLabel->Caption(), request.trimName);
    if (!writer(*n, name)) {
        Warn(Translate(L"The key settings could not be changed."), Translate(L"OK"), false);
        return KeyAssignOutcome::WriteFailed;
    }
    NotifyKeyChanged(*n);
    return KeyAssignOutcome::Written;
}

void KeyAssigner::NotifyKeyChanged(int n) const
{
    // The main window belongs to this thread: each message is handled before SendMessageW returns.
    SendMessageW(mainWindow_, ZavadOvaMessage(), MKM_KEY_CHANGED, n);
    Sleep(kRefreshPauseMs);
    SendMessageW(mainWindow_, ZavadOvaMessage(), MKM_REFRESH_KEY, n);
}
