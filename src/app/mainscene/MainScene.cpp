#include "MainScene.h"

#include "CMaskControl.h"
#include "CombinedKeyScene.h"
#include "FileIcon.h"
#include "FileReplacement.h"
#include "FunKeyScene.h"
#include "IconformDll.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "KeyFaces.h"
#include "KeyTabs.h"
#include "PopupDialogParts.h"
#include "ProfileBoxLauncher.h"
#include "ProgramFolder.h"
#include "ResourcePath.h"
#include "ShortcutScene.h"
#include "SwitchGuard.h"
#include "TargetProfile.h"
#include "TastroProfileManager.h"
#include "TConfirmDlg.h"
#include "TfmZavadOva.h"
#include "Translate.h"
#include "TypingWordsScene.h"

#include "forms/Edit.h"
#include "forms/GdiHandles.h"
#include "forms/Label.h"
#include "forms/RedrawHold.h"
#include "forms/Timer.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsRadioButton.h"
#include "gui/graphics/image.h"
#include "gui/png/PngReader.h"

gs::GsRadioButton* SelectedKeyButton = nullptr;
gs::GsRadioButton* CurrentTabButton = nullptr;
bool DeleteMarkActive = false;

namespace {

constexpr int kKeyColumnLeft = 26;
constexpr int kFirstKeyTop = 105;
constexpr int kKeyGap = 12;

std::wstring Picture(const wchar_t* folder, const wchar_t* file)
{
    return ResourcePath(folder, file);
}

std::shared_ptr<KeyFaceSet> FacesOf(int n)
{
    const _FunData* record = FindFunData(n);
    return record ? std::static_pointer_cast<KeyFaceSet>(record->ImageCache) : nullptr;
}

} // namespace

std::optional<int> SelectedKeyNumber()
{
    if (SelectedKeyButton == nullptr)
        return std::nullopt;
    const auto n = static_cast<int>(SelectedKeyButton->Tag()) - kKeyButtonTagBase;
    if (n < 1 || n > kFunKeyCount)
        return std::nullopt;
    return n;
}

_FunData* SelectedKeyRecord()
{
    const auto n = SelectedKeyNumber();
    return n ? FindFunData(*n) : nullptr;
}

bool IsInDeleteMark(int buttonWidth, int x, int y) noexcept
{
    return buttonWidth - 24 < x && x < buttonWidth - 8 && 4 < y && y < 21;
}

MainScene::MainScene(forms::TComponent* owner, forms::TBitmap* bitmap, TfmZavadOva* form)
    : DIPScene(owner, bitmap)
    , MainForm(form)
{
    IconformDll::GetInstance().Load();
    CreatePages();
    CreateTabs();
    CreateButtons();
    CreateSwitchButton();
    CleanAllButton->SetEnabled(LoadConfig());
    CreateKeyButtons();
    CreateBackground();
    CreateVersionLabel();

    CurrentPage = FunKeyPage;
    CurrentTabButton = TabButtons[0];
    TabButtons[0]->SetChecked(true);
    GetCombinedKeyScene()->SetVisible(true);
    GetTypingWordsScene()->SetVisible(false);
    GetFunKeyScene()->SetVisible(false);
    GetShortcutScene()->SetVisible(false);

    ConfirmDialog = new TConfirmDlg(MainForm);

    // The controller gets the stored switch at every start, stored again or not; the key table it keeps.
    MainForm->RestoreSavedSwitch();
    MainSwitchGuard().Reset();
    UpdateSwitch();
}

// The pages go with the scene base; the controls with the main form.
MainScene::~MainScene() = default;

void MainScene::Show()
{
    DIPScene::Hide();
    if (CurrentPage)
        CurrentPage->Show();
    ShowControls();
}

template <class Page>
Page* MainScene::GetPage(Page*& page)
{
    if (page == nullptr) {
        auto made = std::make_unique<Page>(Owner(), pageBitmap_.get());
        page = made.get();
        children.push_back(std::move(made));
    }
    CurrentPage = page;
    return page;
}

FunKeyScene* MainScene::GetFunKeyScene()
{
    return GetPage(FunKeyPage);
}

ShortcutScene* MainScene::GetShortcutScene()
{
    return GetPage(ShortcutPage);
}

TypingWordsScene* MainScene::GetTypingWordsScene()
{
    return GetPage(TypingWordsPage);
}

CombinedKeyScene* MainScene::GetCombinedKeyScene()
{
    return GetPage(CombinedKeyPage);
}

void MainScene::CreatePages()
{
    pageBitmap_ = std::make_unique<forms::TBitmap>();
    pageBitmap_->Assign(Bitmap());
    pageBitmap_->SetPixelFormat(forms::pf32bit);
    GetFunKeyScene();
    GetShortcutScene();
    GetTypingWordsScene();
    GetCombinedKeyScene();
}

void MainScene::CreateTabs()
{
    // Pixels of this colour in the tab picture lie outside every tab.
    forms::TBitmap shape;
    gs::LoadPngToBitmap(Picture(L"tab", L"tab_n.png"), shape);
    const wchar_t* captions[] = {L"Macro Keys", L"Smart Input", L"Function Keys", L"Shortcut"};
    const CommonFuncHelper::RadioButtonPaths paths = {
        Picture(L"tab", L"tab_n.png"), Picture(L"tab", L"tab_o.png"), Picture(L"tab", L"tab_d.png"),
        Picture(L"tab", L"tab_od.png"), Picture(L"tab", L"tab_n.png"), Picture(L"tab", L"tab_on.png")};
    for (int k = 0; k < kTabCount; ++k) {
        gs::GsRadioButton*& tab = TabButtons[static_cast<std::size_t>(k)];
        CommonFuncHelper::GetInstance()->CreateRadioButton(MainForm, Bitmap(), 277 + 166 * k, 56, paths,
                                                           Translate(captions[k]), std::wstring(), kTabGroup, tab);
        if (!gs::IsEmptyBitmap(&shape)) {
            // The system owns the region once the window has it.
            forms::RegionHandle region(gs::CreateRegionFromBitmap(shape.Handle(), 0x0A0A0A, 0));
            if (region && SetWindowRgn(tab->Handle(), region.Get(), TRUE))
                region.Release();
        }
        tab->OnClick = [this](forms::TObject* sender) { OnButtonClick(sender); };
        tab->SetTag(kTabTagBase + 1 + k);
    }
}

void MainScene::CreateButtons()
{
    CommonFuncHelper* factory = CommonFuncHelper::GetInstance();
    const auto buttonPictures = [](const wchar_t* n, const wchar_t* d, const wchar_t* o, const wchar_t* un) {
        return CommonFuncHelper::ButtonPaths{Picture(L"button", n), Picture(L"button", d), Picture(L"button", o),
                                             Picture(L"button", un)};
    };
    const auto close = buttonPictures(L"x_n.png", L"x_d.png", L"x_o.png", L"x_un.png");
    const auto profile = buttonPictures(L"profile_n.png", L"profile_d.png", L"profile_o.png", L"profile_un.png");
    const auto clean = buttonPictures(L"clean_n.png", L"clean_n.png", L"clean_o.png", L"clean_un.png");
    factory->CreateButton(MainForm, Bitmap(), 1149, 10, close, std::wstring(), Translate(L"Close"), CloseButton);
    factory->CreateButton(MainForm, Bitmap(), 9, 62, profile, Translate(L"Load"), std::wstring(), LoadButton);
    factory->CreateButton(MainForm, Bitmap(), 122, 62, profile, Translate(L"Save"), std::wstring(), SaveButton);
    factory->CreateButton(MainForm, Bitmap(), 232, 60, clean, std::wstring(), Translate(L"Clean F1 to F10 key settings."),
                          CleanAllButton);
    factory->CreateButton(MainForm, Bitmap(), 1146, 56, clean, std::wstring(),
                          Translate(L"Clean the selected Function key setting."), ClearPagesButton);
    for (gs::GsButton* button : {LoadButton, SaveButton, CleanAllButton, ClearPagesButton})
        popup::ApplyPopupTextStyle(button);
    for (gs::GsButton* button : {CloseButton, LoadButton, SaveButton, CleanAllButton, ClearPagesButton})
        button->OnClick = [this](forms::TObject* sender) { OnButtonClick(sender); };
}

void MainScene::CreateSwitchButton()
{
    const auto p = [](const wchar_t* file) { return Picture(L"button", file); };
    const CommonFuncHelper::CheckBoxPaths paths = {p(L"OFF_n.png"), p(L"OFF_o.png"), p(L"ON_n.png"), p(L"OFF_n.png"),
                                                   p(L"ON_n.png"),  p(L"ON_o.png"),  p(L"OFF_n.png"), p(L"ON_n.png")};
    CommonFuncHelper::GetInstance()->CreateCheckBox(MainForm, Bitmap(), 1067, 9, paths, std::wstring(), std::wstring(),
                                                    SwitchBox);
    SwitchBox->OnClick = [this](forms::TObject* sender) { OnButtonClick(sender); };
}

void MainScene::CreateKeyButtons()
{
    int y = kFirstKeyTop;
    for (int n = 1; n <= kFunKeyCount; ++n) {
        gs::GsRadioButton* button = CreateKeyButton(kKeyColumnLeft, y, kKeyButtonTagBase + n, kKeyButtonGroup);
        KeyButtons[static_cast<std::size_t>(n - 1)] = button;
        button->OnClick = [this](forms::TObject* sender) { OnButtonClick(sender); };
        button->OnMouseMove = [this](forms::TObject* sender, forms::TShiftState shift, int x, int y) {
            OnKeyMouseMove(sender, shift, x, y);
        };
        button->OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton mouse, forms::TShiftState shift, int x,
                                     int y) { OnKeyMouseDown(sender, mouse, shift, x, y); };
        button->SetShowHint(false);
        y += KeyButtons[0]->Height() + kKeyGap;
    }
}

void MainScene::CreateBackground()
{
    const wchar_t* memory = MainForm->IsIntel() ? L"xmp_n.png" : L"vmem_n.png";
    const CommonFuncHelper::ButtonPaths paths = {Picture(L"background", L"S5_n.png"), Picture(L"background", memory),
                                                 Picture(L"background", memory), Picture(L"background", L"S5_n.png")};
    CommonFuncHelper::GetInstance()->CreateButton(MainForm, Bitmap(), 0, 493, paths, std::wstring(), std::wstring(),
                                                  MemoryProfileButton);
}

void MainScene::CreateVersionLabel()
{
    const std::wstring version = IniFile(SettingIniPath()).ReadString(L"Info", L"Version", L"1.00.00", 260);
    VersionLabel = CommonFuncHelper::GetInstance()->CreateLabel(MainForm);
    VersionLabel->SetCaption(version);
    VersionLabel->Font().SetHeight(-13);
    VersionLabel->Font().SetColor(0x000000);
    VersionLabel->SetTop(565);
    VersionLabel->SetLeft(1138);
    VersionLabel->SetVisible(true);
}

bool MainScene::ComposeFaces(int n, forms::TPoint origin, int& leftMargin)
{
    _FunData* record = FindFunData(n);
    if (record == nullptr)
        return false;
    const bool assigned = record->Type != FUN_TYPE_NONE;
    if (!assigned)
        CopyField(record->DisplayName, FunSection(n));
    else
        CopyField(record->IconFile, IniFile(FunCfgPath()).ReadString(FunSection(n), L"IconFile", L"", kFieldCapacity));
    // Copied out: the shell's icon lookup may run a message loop that replaces the records.
    const std::wstring name(FieldText(record->DisplayName));
    const std::wstring iconFile(FieldText(record->IconFile));

    MainForm->Label1->SetCaption(name);
    const KeyCaptionLayout layout = KeyCaptionLayoutFor(MainForm->Label1->Width());
    leftMargin = layout.leftMargin;
    const std::unique_ptr<forms::TBitmap> icon = assigned ? FileIconBitmap(iconFile) : nullptr;

    KeyFacePictures pictures{};
    const auto names = KeyFacePictureNames(assigned);
    for (std::size_t i = 0; i < pictures.size(); ++i)
        pictures[i] = &KeyPicture(names[i]);
    auto faces =
        std::make_shared<KeyFaceSet>(ComposeKeyFaces(*Bitmap(), origin, pictures, icon.get(), layout.iconLeft));
    record = FindFunData(n);
    if (record == nullptr)
        return false;
    // The faces drawn before are dropped here.
    record->ImageCache = std::move(faces);
    return true;
}

forms::TBitmap& MainScene::KeyPicture(const std::wstring& file)
{
    std::unique_ptr<forms::TBitmap>& picture = keyPictures_[file];
    if (!picture) {
        picture = std::make_unique<forms::TBitmap>();
        gs::LoadPngToBitmap(Picture(L"radiobutton", file.c_str()), *picture);
    }
    return *picture;
}

gs::GsRadioButton* MainScene::CreateKeyButton(int x, int y, int tag, int groupIndex)
{
    const int n = tag - kKeyButtonTagBase;
    int leftMargin = 0;
    ComposeFaces(n, {x, y}, leftMargin);
    const std::shared_ptr<KeyFaceSet> faces = FacesOf(n);
    const _FunData* record = FindFunData(n);
    const std::wstring name = record ? std::wstring(FieldText(record->DisplayName)) : FunSection(n);
    CommonFuncHelper::RadioButtonBitmaps bitmaps{};
    if (faces)
        for (std::size_t i = 0; i < bitmaps.size(); ++i)
            bitmaps[i] = (*faces)[i].get();

    gs::GsRadioButton* button = nullptr;
    CommonFuncHelper::GetInstance()->CreateRadioButtonFromBitmaps(MainForm, Bitmap(), x, y, bitmaps, name, name,
                                                                  groupIndex, button);
    StyleKeyCaption(*button, leftMargin);
    button->SetTag(tag);
    return button;
}

void MainScene::RefreshKeyButton(int n, gs::GsRadioButton* button)
{
    if (button == nullptr)
        return;
    int leftMargin = 0;
    if (!ComposeFaces(n, {button->Left(), button->Top()}, leftMargin))
        return;
    const std::shared_ptr<KeyFaceSet> faces = FacesOf(n);
    gs::GsButtonAppearance* unchecked = button->Appearance().Unchecked();
    gs::GsButtonAppearance* checked = button->Appearance().Checked();
    unchecked->SetRaised((*faces)[0].get());
    unchecked->SetHovered((*faces)[1].get());
    unchecked->SetSunken((*faces)[1].get());
    checked->SetRaised((*faces)[2].get());
    checked->SetHovered((*faces)[3].get());
    checked->SetSunken((*faces)[3].get());
    button->SetBounds(button->Left(), button->Top(), (*faces)[0]->Width(), (*faces)[0]->Height());
    button->SetInputBkgnd(Bitmap());

    const _FunData* record = FindFunData(n);
    const std::wstring name = record ? std::wstring(FieldText(record->DisplayName)) : std::wstring();
    button->SetCaption(name.empty() ? FunSection(n) : name);
    button->SetHint(name);

    StyleKeyCaption(*button, leftMargin);

    if (record && record->Type != FUN_TYPE_NONE && !CleanAllButton->Enabled())
        CleanAllButton->SetEnabled(true);
}

gs::GsRadioButton* MainScene::KeyButton(int n) const
{
    if (n < 1 || n > kFunKeyCount)
        return nullptr;
    return KeyButtons[static_cast<std::size_t>(n - 1)];
}

KeyResetObservers MainScene::PageObservers()
{
    return {CombinedKeyPage, FunKeyPage, ShortcutPage};
}

void MainScene::OnButtonClick(forms::TObject* sender)
{
    // A pending edit of the delay is stored by the field's exit handler before anything else.
    MainForm->editTime->SetEnabled(false);
    MainForm->editTime->SetEnabled(true);

    if (sender == CloseButton) {
        MainForm->Hide();
    } else if (sender == ClearPagesButton) {
        ClearPages();
    } else if (sender == CleanAllButton) {
        CleanAll();
    } else if (sender == LoadButton) {
        OpenProfileBox(kProfileBoxLoad);
    } else if (sender == SaveButton) {
        OpenProfileBox(kProfileBoxSave);
    } else if (sender == SwitchBox) {
        SwitchClicked();
    } else if (auto* radio = dynamic_cast<gs::GsRadioButton*>(sender)) {
        if (radio->GroupIndex() == kKeyButtonGroup) {
            KeyCommand(radio);
        } else if (radio->GroupIndex() == kTabGroup) {
            CurrentTabButton = radio;
            SwitchTab(static_cast<int>(radio->Tag()) - kTabTagBase);
        }
    }
}

void MainScene::ClearPages()
{
    CombinedKeyPage->ClearActions();
    TypingWordsPage->ClearFields();
    FunKeyPage->UncheckAll();
    ShortcutPage->ClearFields();
}

bool MainScene::Confirm(const wchar_t* title, const wchar_t* message, const wchar_t* yes, const wchar_t* no)
{
    ConfirmDialog->TitleLabel->SetCaption(Translate(title));
    ConfirmDialog->MessageLabel->SetCaption(Translate(message));
    ConfirmDialog->ConfirmButton->SetCaption(Translate(yes));
    ConfirmDialog->CancelButton->SetCaption(Translate(no));
    ConfirmDialog->ConfirmButton->SetVisible(true);
    ConfirmDialog->SetPosition(forms::poMainFormCenter);
    return ConfirmDialog->ShowModal() == 1;
}

void MainScene::CleanAll()
{
    const MainWindowDim dim(MainForm);
    if (!Confirm(L"Clean all", L"Are you sure you would like to clean all settings?", L"Yes", L"No"))
        return;
    // The controller's answer is not looked at; a key that fun.cfg kept stays shown as assigned.
    const ClearAllResult result = ClearAllFunKeys(MainForm->Controller(), PageObservers());
    for (int n = 1; n <= kFunKeyCount; ++n)
        RefreshKeyButton(n, KeyButton(n));
    UpdateCleanButton();
    if (result == ClearAllResult::FunCfgFailed) {
        WarnFunCfgUnchanged();
        return;
    }
    ClearPages();
}

void MainScene::WarnFunCfgUnchanged()
{
    Warn(L"The key settings could not be changed.");
}

void MainScene::WarnSettingNotSaved()
{
    const MainWindowDim dim(MainForm);
    Warn(L"The setting could not be saved.");
}

void MainScene::Warn(const wchar_t* message)
{
    ConfirmDialog->TitleLabel->SetCaption(Translate(L"Warning"));
    ConfirmDialog->MessageLabel->SetCaption(Translate(message));
    ConfirmDialog->CancelButton->SetCaption(Translate(L"OK"));
    ConfirmDialog->ConfirmButton->SetVisible(false);
    ConfirmDialog->SetPosition(forms::poMainFormCenter);
    ConfirmDialog->ShowModal();
}

void MainScene::OpenProfileBox(int mode)
{
    const MainWindowDim dim(MainForm);
    DeleteUserFile(TargetProfilePath(ProgramFolder()));
    ShowProfileBox(mode);
}

void MainScene::SwitchClicked()
{
    MainSwitchGuard().BeginChange();
    // The switch shows what Setting.ini holds after the write, whatever the controller answered.
    const SwitchResult result = MainForm->SetSwitch(SwitchBox->Checked() ? 1 : 0);
    UpdateSwitch();
    MainForm->SetTraySwitch(SwitchBox->Checked());
    MainForm->Timer1->SetEnabled(true);
    if (result == SwitchResult::NotStored)
        WarnSettingNotSaved();
}

void MainScene::KeyCommand(gs::GsRadioButton* button)
{
    SelectedKeyButton = button;
    const int n = static_cast<int>(button->Tag()) - kKeyButtonTagBase;
    const _FunData* record = FindFunData(n);
    const int type = record ? record->Type : FUN_TYPE_NONE;
    if (DeleteMarkActive && type != FUN_TYPE_NONE) {
        const MainWindowDim dim(MainForm);
        if (Confirm(L"Delete", L"Are you sure you would like to delete and reload to default?", L"Delete", L"Cancel")) {
            const bool cleared = ClearFunKey(n);
            RefreshKeyButton(n, button);
            UpdateCleanButton();
            if (!cleared)
                WarnFunCfgUnchanged();
        }
        // Also when cancelled: the table is written and the key's page shown.
        OnFunKeyChanged();
        return;
    }
    if (type == FUN_TYPE_NONE)
        return;
    ClearPages();
    switch (type) {
    case FUN_TYPE_MACRO:
        CombinedKeyPage->LoadFromFunCfg();
        break;
    case FUN_TYPE_TEXT:
        TypingWordsPage->LoadCurrentKey();
        break;
    case FUN_TYPE_FUNCTION:
        FunKeyPage->SelectCurrent();
        break;
    case FUN_TYPE_SHORTCUT:
        ShortcutPage->LoadCurrentKey();
        break;
    default:
        return;
    }
    if (const auto tab = TabForSelectedKey(type))
        SwitchTab(*tab);
}

void MainScene::SwitchTab(int k)
{
    for (const auto& child : children)
        child->Hide();
    if (k < 1 || k > kTabCount)
        return;
    {
        // Wine redraws after each control shown or hidden: a change of page is drawn once
        // instead. Holding costs more than it saves when the page stays.
        std::optional<forms::RedrawHold> hold;
        if (k != ShownTab)
            hold.emplace(*MainForm);
        CombinedKeyPage->SetVisible(k == kTabMacroKeys);
        TypingWordsPage->SetVisible(k == kTabSmartInput);
        FunKeyPage->SetVisible(k == kTabFunctionKeys);
        ShortcutPage->SetVisible(k == kTabShortcut);
        ShownTab = k;
    }
    TabButtons[static_cast<std::size_t>(k - 1)]->SetChecked(true);
}

void MainScene::OnFunKeyChanged()
{
    // The controller's answer is not looked at here.
    BuildEcBuffer(MainForm->Controller(), PageObservers());
    const _FunData* record = SelectedKeyRecord();
    if (record == nullptr)
        return;
    if (const auto tab = TabForChangedKey(record->Type))
        SwitchTab(*tab);
}

void MainScene::UpdateSwitch()
{
    int value = 0;
    MainForm->GetSwitch(value);
    // Only a stored 1 counts as on.
    const bool on = value == 1;
    SwitchBox->SetChecked(on);
    MainForm->SetTrayChecked(on);
    MainForm->SetTraySwitch(on);
    SwitchBox->SetEnabled(MainSwitchGuard().SwitchEnabled);
}

void MainScene::UpdateCleanButton()
{
    CleanAllButton->SetEnabled(AnyKeyAssigned());
}

void MainScene::SetDeleteMarkFace(gs::GsRadioButton* button, bool inside, bool pressed)
{
    DeleteMarkActive = inside;
    const int n = static_cast<int>(button->Tag()) - kKeyButtonTagBase;
    const std::shared_ptr<KeyFaceSet> faces = FacesOf(n);
    if (!faces)
        return;
    const bool checked = button->Checked();
    gs::GsButtonAppearance* side = checked ? button->Appearance().Checked() : button->Appearance().Unchecked();
    const int face = inside ? (pressed ? 5 : 4) : (checked ? 3 : 1);
    forms::TBitmap* picture = (*faces)[static_cast<std::size_t>(face)].get();
    if (pressed)
        side->SetSunken(picture);
    else
        side->SetHovered(picture);
    button->Refresh();
}

void MainScene::OnKeyMouseMove(forms::TObject* sender, forms::TShiftState /*shift*/, int x, int y)
{
    auto* button = forms::As<gs::GsRadioButton>(sender);
    SetDeleteMarkFace(button, IsInDeleteMark(button->Width(), x, y), false);
}

void MainScene::OnKeyMouseDown(forms::TObject* sender, forms::TMouseButton /*button*/, forms::TShiftState /*shift*/,
                               int x, int y)
{
    auto* button = forms::As<gs::GsRadioButton>(sender);
    SetDeleteMarkFace(button, IsInDeleteMark(button->Width(), x, y), true);
}

void MainScene::CloseEditDialog()
{
    CombinedKeyPage->CloseEditDialog();
}

void MainScene::OnHookKey(std::uint32_t word)
{
    CombinedKeyPage->OnHookKey(word);
}

void MainScene::ApplyTargetProfile()
{
    // A profile that could not be copied is not reported: the keys of fun.cfg as it is are shown
    // and written.
    ::ApplyTargetProfile();
    for (int n = 1; n <= kFunKeyCount; ++n)
        RefreshKeyButton(n, KeyButton(n));
    UpdateCleanButton();
    OnFunKeyChanged();
}
