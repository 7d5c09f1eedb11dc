#include "ShortcutScene.h"

#include "FileIcon.h"
#include "KeyAssignmentStore.h"
#include "KeyPageParts.h"
#include "KeySectionEntries.h"
#include "MainScene.h"
#include "PopupDialogParts.h"
#include "ShortcutTarget.h"
#include "TfmZavadOva.h"
#include "Translate.h"

#include "forms/FileDialog.h"
#include "forms/Label.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"

namespace {

constexpr forms::TColor kGreyText = 0x888888;
constexpr forms::TColor kNameText = 0xD2D2D2;
constexpr forms::TColor kNoteText = 0x1F26A4;

} // namespace

ShortcutScene::ShortcutScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : KeyPage(owner, bitmap)
    , assigner_(forms::As<forms::TForm>(owner))
{
    auto* form = forms::As<forms::TForm>(owner);
    LaunchLabel = popup::MakeLabel(form, Translate(L"Launch"), 16, kGreyText, 406, 242);
    FolderLabel = keypage::MakeBoxLabel(form, L"", 16, kGreyText, 476, 275, 367, 36);
    FolderLabel->SetEllipsisPosition(forms::epPathEllipsis);
    NameLabel = keypage::MakeBoxLabel(form, L"file.exe", 18, kNameText, 520, 239, 324, 20);
    NameLabel->SetEllipsisPosition(forms::epWordEllipsis);
    PathLabel = popup::MakeLabel(form, L"c:\\file.exe", 14, kGreyText, 520, 242);
    PathLabel->SetVisible(false);
    NoteLabel = keypage::MakeBoxLabel(form, Translate(L"The shortcut keys are disabled when you exit Tastro II."), 16, kNoteText,
                           488, 461, 367, 60);
    NoteLabel->SetWordWrap(true);
    NoteLabel->SetVisible(false);

    const forms::TNotifyEvent click = [this](forms::TObject* sender) { OnClick(sender); };
    ApplyButton = keypage::MakeApplyButton(form, bitmap, click);
    FileButton = keypage::MakeButton(form, bitmap, 872, 235, L"shortcut", L"launch_file", L"", Translate(L"File"), click);
    FolderButton =
        keypage::MakeButton(form, bitmap, 970, 235, L"shortcut", L"launch_folder", L"", Translate(L"Folder"), click);

    // The frame first: the icon lies on it.
    LaunchBox = keypage::MakeImage(form, L"shortcut", L"launch_box.png", 466, 228);
    TargetIcon = keypage::MakeImage(form, L"shortcut", L"file.png", 485, 241);
    placeholder_ = std::make_unique<forms::TBitmap>();
    placeholder_->Assign(&TargetIcon->Picture().Bitmap());
    WarningImage = keypage::MakeImage(form, L"shortcut", L"warning.png", 473, 459);
    WarningImage->SetVisible(false);
    // Labels lie over the pictures.
    for (forms::TControl* label : {static_cast<forms::TControl*>(NameLabel), static_cast<forms::TControl*>(FolderLabel)})
        label->BringToFront();

    LoadCurrentKey();
    assigner_.ConfirmDialog();
}

ShortcutScene::~ShortcutScene() = default;

void ShortcutScene::SetVisible(bool show)
{
    shown_ = show;
    LaunchLabel->SetVisible(show);
    UpdateIconVisibility();
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             LaunchBox, FolderLabel, NameLabel, NoteLabel, WarningImage, ApplyButton, FolderButton, FileButton})
        control->SetVisible(show);
}

void ShortcutScene::UpdateIconVisibility()
{
    // Only on the page, and only for a target with a name.
    TargetIcon->SetVisible(shown_ && !NameLabel->Caption().empty());
}

void ShortcutScene::ClearFields()
{
    FolderLabel->SetCaption(L"");
    NameLabel->SetCaption(L"");
    TargetIcon->SetVisible(false);
}

void ShortcutScene::LoadCurrentKey()
{
    const _FunData* record = SelectedKeyRecord();
    if (record == nullptr) {
        ApplyButton->SetEnabled(false);
        FolderLabel->SetCaption(L"");
        NameLabel->SetCaption(L"");
        PathLabel->SetCaption(L"");
        TargetIcon->SetVisible(false);
        return;
    }
    ShowTarget(std::wstring(FieldText(record->Value[0])));
}

void ShortcutScene::ShowTarget(const std::wstring& path)
{
    PathLabel->SetCaption(path);
    NameLabel->SetCaption(ExtractTargetName(path));
    FolderLabel->SetCaption(ExtractTargetFolder(path));
    ShowIcon(path);
    // The stored target is what Apply would write.
    ApplyButton->SetEnabled(false);
}

void ShortcutScene::ShowIcon(const std::wstring& path)
{
    const std::unique_ptr<forms::TBitmap> icon = FileIconBitmap(path);
    TargetIcon->Picture().Bitmap().Assign(icon ? icon.get() : placeholder_.get());
    UpdateIconVisibility();
}

void ShortcutScene::OnKeyReset(int n)
{
    if (SelectedKeyNumber() == n)
        LoadCurrentKey();
}

void ShortcutScene::OnClick(forms::TObject* sender)
{
    forms::TFileOpenDialog* dialog = forms::As<TfmZavadOva>(Owner())->FileOpenDialog1;
    if (sender == FileButton) {
        dialog->FileTypes().Clear();
        dialog->SetOptions(dialog->Options() & ~forms::fdoPickFolders);
        for (const wchar_t* mask : {L"*.*", L"*.exe", L"*.pdf", L"*.doc", L"*.lnk"})
            dialog->FileTypes().Add(mask, mask);
        ChooseTarget();
    } else if (sender == FolderButton) {
        dialog->SetOptions(dialog->Options() | forms::fdoPickFolders);
        ChooseTarget();
    } else if (sender == ApplyButton) {
        const std::wstring name = NameLabel->Caption();
        assigner_.Assign({name, KeyNameField::StoredName, /*dimWarning=*/true, /*trimName=*/false},
                         [this](int n, const std::wstring& chosen) { return WriteFunCfg(n, chosen); });
    }
}

void ShortcutScene::ChooseTarget()
{
    auto* form = forms::As<TfmZavadOva>(Owner());
    if (!form->FileOpenDialog1->Execute(form->Handle()))
        return;
    const std::wstring path = form->FileOpenDialog1->FileName();
    // A refused pick leaves the page as it was, the earlier target included.
    if (IsRefusedTarget(path)) {
        assigner_.Warn(Translate(L"You can not select this file/folder."), Translate(L"Yes"), true);
        return;
    }
    PathLabel->SetCaption(path);
    NameLabel->SetCaption(ExtractTargetName(path));
    FolderLabel->SetCaption(ExtractTargetFolder(path));
    ShowIcon(path);
    ApplyButton->SetEnabled(true);
}

bool ShortcutScene::WriteFunCfg(int n, const std::wstring& name) const
{
    return WriteKeySection(n, ShortcutKeyEntries(name, PathLabel->Caption()));
}
