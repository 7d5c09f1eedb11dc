#include "TfrmProfileBox.h"

#include <windows.h>

#include "forms/Dialogs.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsLabel.h"
#include "gui/controls/Mycommonfunc.h"

#include "PopupDialogParts.h"
#include "ProfileBroadcast.h"
#include "ProfileName.h"
#include "Translate.h"

TfrmProfileBox* frmProfileBox = nullptr;

namespace {

constexpr forms::TColor kTextColour = 0xD2D2D2;
constexpr forms::TColor kRowTextColour = 0xDEDEDE;
constexpr forms::TColor kSelectedRowColour = 0x000033;

// The red captions of the Cancel and action buttons, at the box's text height in every state.
void ApplyPopupTextStyle(gs::GsButton& button)
{
    popup::ApplyPopupTextStyle(&button);
    button.Font().SetHeight(14);
    button.TextEffect().Sunken().Font().SetHeight(14);
}

void SetArial(forms::TFont& font, int height, forms::TColor colour)
{
    font.SetName(L"Arial");
    font.SetHeight(height);
    font.SetColor(colour);
}

}  // namespace

TfrmProfileBox::TfrmProfileBox(forms::TComponent* owner) : TForm(owner)
{
    SetBorderStyle(forms::bsNone);
    SetDoubleBuffered(true);
    SetScaled(false);
    SetPosition(forms::poDesigned);
    OnShow = [this](forms::TObject* sender) { FormShow(sender); };

    lsList = new forms::TListBox(this);
    lsList->SetParent(this);
    lsList->SetStyle(forms::lbOwnerDrawFixed);
    lsList->SetBorderStyle(forms::bsNone);
    lsList->SetItemHeight(16);
    lsList->SetTabOrder(1);
    lsList->OnClick = [this](forms::TObject* sender) { lsListClick(sender); };
    lsList->OnDrawItem = [this](forms::TWinControl* control, int index, forms::TRect rect,
                                forms::TOwnerDrawState state) { lsListDrawItem(control, index, rect, state); };

    edNew = new forms::TEdit(this);
    edNew->SetParent(this);
    edNew->SetBorderStyle(forms::bsNone);
    edNew->SetAutoSelect(false);
    edNew->SetAutoSize(false);
    edNew->Font().SetName(L"Arial");
    edNew->SetMaxLength(28);
    edNew->SetTabOrder(0);
    edNew->OnChange = [this](forms::TObject* sender) { edNewChange(sender); };

    SaveBackground = LoadPopupBitmap(L"popup_save_bg.png");
    LoadBackground = LoadPopupBitmap(L"popup_load_bg.png");
    TypingBox = CreatePopupImage(this, L"popup_typing.png", 0, 0);
    ListFrame = CreatePopupImage(this, L"popup_list_bg.png", 0, 0);

    Background = new forms::TImage(this);
    Background->SetParent(this);
    Background->SetAutoSize(true);

    TitleLabel = CreatePopupLabel(this, L"", 0, 0, kTextColour);
    SetArial(TitleLabel->Font(), 16, kTextColour);
    FolderLabel = CreatePopupLabel(this, L"", 0, 0, kTextColour);
    SetArial(FolderLabel->Font(), 14, kTextColour);

    forms::TBitmap* face = &Background->Picture().Bitmap();
    CancelButton = CreatePopupButton(this, face, Translate(L"Cancel"), 0, 0, L"Cancel");
    DeleteButton = CreatePopupButton(this, face, L"", 0, 0, L"Delete");
    ActionButton = CreatePopupButton(this, face, L"", 0, 0, L"Load");
    CloseButton = CreatePopupButton(this, face, L"", 0, 0, L"Close");
    CancelButton->OnClick = [this](forms::TObject* sender) { CloseClick(sender); };
    CloseButton->OnClick = [this](forms::TObject* sender) { CloseClick(sender); };
    DeleteButton->OnClick = [this](forms::TObject* sender) { DeleteClick(sender); };
    ApplyPopupTextStyle(*CancelButton);
    ApplyPopupTextStyle(*ActionButton);

    DoCreate();
}

TfrmProfileBox::~TfrmProfileBox() = default;

void TfrmProfileBox::CreateParams(forms::TCreateParams& params)
{
    TForm::CreateParams(params);
    params.Style |= WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    params.WndParent = nullptr;
}

void TfrmProfileBox::PrepareProfileBox(int mode, const std::wstring& folder)
{
    Folder = folder;
    Manager = std::make_unique<TastroProfileManager>(folder);
    Layout(mode);
    FillList();
}

void TfrmProfileBox::Layout(int mode)
{
    const bool save = mode == kSaveMode;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    Background->Picture().Bitmap().Assign(save ? SaveBackground.get() : LoadBackground.get());
    Background->SetBounds(0, 0, Background->Picture().Width(), Background->Picture().Height());
    Background->OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift,
                                     int x, int y) { BackgroundMouseDown(sender, button, shift, x, y); };
    SetBounds(Left(), Top(), Background->Width(), Background->Height());

    const int listTop = save ? 126 : 79;
    lsList->SetColor(forms::clBlack);
    SetArial(lsList->Font(), 14, kTextColour);
    lsList->SetBounds(19, listTop + 3, ListFrame->Width() - 8, ListFrame->Height() - 8);
    ListFrame->SetBounds(14, listTop, ListFrame->Width(), ListFrame->Height());
    ListFrame->BringToFront();
    ListFrame->Show();

    if (save) {
        edNew->SetColor(forms::clBlack);
        SetArial(edNew->Font(), 16, kTextColour);
        edNew->SetBounds(24, 85, TypingBox->Width() - 15, TypingBox->Height() - 10);
        TypingBox->SetBounds(14, 77, TypingBox->Width(), TypingBox->Height());
        TypingBox->BringToFront();
        TypingBox->Show();
        edNew->BringToFront();
        edNew->Show();
    } else {
        edNew->Hide();
        TypingBox->Hide();
    }

    const std::wstring title = Translate(save ? L"Save" : L"Load");
    TitleLabel->SetCaption(title);
    TitleLabel->SetBounds(12, 5, TitleLabel->Width(), TitleLabel->Height());
    TitleLabel->Show();
    ActionButton->SetCaption(title);
    FolderLabel->SetAutoSize(false);
    FolderLabel->SetCaption(Folder);
    FolderLabel->SetBounds(12, 38, 270, 32);
    FolderLabel->SetWordWrap(true);
    FolderLabel->Show();

    const int buttonTop = save ? 279 : 228;
    DeleteButton->SetBounds(18, buttonTop - 3, DeleteButton->Width(), DeleteButton->Height());
    CancelButton->SetBounds(169, buttonTop, CancelButton->Width(), CancelButton->Height());
    ActionButton->SetBounds(56, buttonTop, ActionButton->Width(), ActionButton->Height());
    if (save)
        ActionButton->OnClick = [this](forms::TObject* sender) { SaveClick(sender); };
    else
        ActionButton->OnClick = [this](forms::TObject* sender) { LoadClick(sender); };
    DeleteButton->Show();
    CancelButton->Show();
    ActionButton->Show();
    CloseButton->SetBounds(262, 2, CloseButton->Width(), CloseButton->Height());
    CloseButton->Show();
    ActionButton->SetEnabled(false);
    DeleteButton->SetEnabled(false);
}

void TfrmProfileBox::FillList()
{
    const std::vector<std::wstring> names = Manager->GetProfileNames();
    // One scroll-bar update for the whole list instead of one per row.
    SendMessageW(lsList->Handle(), WM_SETREDRAW, FALSE, 0);
    lsList->Items().Clear();
    for (const std::wstring& name : names)
        lsList->Items().Add(name);
    SendMessageW(lsList->Handle(), WM_SETREDRAW, TRUE, 0);
    lsList->Repaint();
    DisableButtonsWhenEmpty();
}

void TfrmProfileBox::DisableButtonsWhenEmpty()
{
    if (lsList->Items().Count() > 0)
        return;
    ActionButton->SetEnabled(false);
    DeleteButton->SetEnabled(false);
}

void TfrmProfileBox::Warn(const std::wstring& text)
{
    forms::ShowMessageBox(Handle(), text, L"Warning", MB_OK | MB_ICONWARNING);
}

void TfrmProfileBox::FormShow(forms::TObject*)
{
    SetBounds(GetSystemMetrics(SM_CXSCREEN) / 2 - Width() / 2, GetSystemMetrics(SM_CYSCREEN) / 2 - Height() / 2,
              Width(), Height());
    lsList->Repaint();
    edNew->SetText(L"");
    if (edNew->Visible())
        edNew->SetFocus();
}

void TfrmProfileBox::lsListClick(forms::TObject*)
{
    const int index = lsList->ItemIndex();
    if (index < 0)
        return;
    edNew->SetText(lsList->Items()[index]);
    if (!ActionButton->Enabled())
        ActionButton->SetEnabled(true);
    if (!DeleteButton->Enabled())
        DeleteButton->SetEnabled(true);
}

void TfrmProfileBox::edNewChange(forms::TObject*)
{
    // A name that cannot be a file of the profile folder is never offered for saving.
    ActionButton->SetEnabled(IsValidProfileName(edNew->Text()));
}

void TfrmProfileBox::lsListDrawItem(forms::TWinControl*, int index, forms::TRect rect, forms::TOwnerDrawState state)
{
    forms::TCanvas& canvas = lsList->Canvas();
    canvas.Brush().SetColor((state & forms::odSelected) ? kSelectedRowColour : lsList->Color());
    canvas.Font().SetColor(kRowTextColour);
    canvas.FillRect(rect);
    canvas.TextRect(rect, rect.Left, rect.Top, lsList->Items()[index]);
}

void TfrmProfileBox::SaveClick(forms::TObject*)
{
    const std::wstring name = edNew->Text();
    if (!IsValidProfileName(name))
        return;
    // An existing profile of that name is replaced without a question.
    if (!Manager->SaveProfile(name)) {
        Warn(Translate(L"The profile could not be saved."));
        return;
    }
    Close();
}

void TfrmProfileBox::LoadClick(forms::TObject*)
{
    const int index = lsList->ItemIndex();
    if (index < 0)
        return;
    // Without the target recorded the request would reload the unchanged configuration.
    if (!Manager->SetTargetProfile(lsList->Items()[index])) {
        Warn(Translate(L"The profile could not be loaded."));
        return;
    }
    BroadcastLoadProfile();
    Close();
}

void TfrmProfileBox::DeleteClick(forms::TObject*)
{
    const int index = lsList->ItemIndex();
    if (index < 0)
        return;
    // A file that is gone already leaves the list all the same; one that stays keeps its row.
    const FileResult deleted = Manager->DeleteProfile(lsList->Items()[index]);
    if (!deleted && deleted.error != ERROR_FILE_NOT_FOUND) {
        Warn(Translate(L"The profile could not be deleted."));
        return;
    }
    lsList->Items().Delete(index);
    lsList->Repaint();
    DisableButtonsWhenEmpty();
}

void TfrmProfileBox::CloseClick(forms::TObject*)
{
    Close();
}

void TfrmProfileBox::BackgroundMouseDown(forms::TObject*, forms::TMouseButton button, forms::TShiftState, int, int)
{
    if (button != forms::mbLeft)
        return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}
