#include "TypingWordsScene.h"

#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "KeyPageParts.h"
#include "KeySectionEntries.h"
#include "MainScene.h"
#include "PopupDialogParts.h"
#include "ResourcePath.h"
#include "TfmZavadOva.h"
#include "Translate.h"
#include "TypedTextRules.h"

#include "forms/Label.h"
#include "gui/controls/CImageEditBase.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsImage.h"

namespace {

constexpr forms::TColor kWordsLeftText = 0x606060;
constexpr forms::TColor kNoticeTitleText = 0x1F26A4;
constexpr forms::TColor kNoticeText = 0xB2B2B2;
constexpr int kFieldsRightEdge = 937;

constexpr wchar_t kNotice[] =
    L"Smart Input records a sequence of typed characters and speeds up key input by allowing you to play back this "
    L"sequence with a single button press. The recorded sequence is stored in the Tastro microchip. Please note this "
    L"is unencrypted and is just meant for convenience, not for security. If you do not wish to use the Smart Input "
    L"feature, please click the Clean button at the top-left of the screen now or, later, access the UEFI BIOS to "
    L"erase the relevant Tastro profile.";

forms::TLabel* WrappedLabel(forms::TForm* form, const std::wstring& text, int fontHeight, forms::TColor color, int x,
                            int y, int width, int height)
{
    forms::TLabel* label = keypage::MakeBoxLabel(form, text, fontHeight, color, x, y, width, height);
    label->SetWordWrap(true);
    label->SetVisible(false);
    return label;
}

gs::GsCheckBox* MakeCheckBox(forms::TForm* form, forms::TBitmap* background, int x, int y, const wchar_t* folder,
                             const std::wstring& base, forms::TNotifyEvent onClick)
{
    const auto p = [&](const wchar_t* state) { return ResourcePath(folder, base + state + L".png"); };
    gs::GsCheckBox* box = nullptr;
    CommonFuncHelper::GetInstance()->CreateCheckBox(
        form, background, x, y, {p(L"_n"), p(L"_o"), p(L"_d"), p(L"_un"), p(L"_d"), p(L"_do"), p(L"_n"), p(L"_un")},
        std::wstring(), std::wstring(), box);
    box->OnClick = std::move(onClick);
    return box;
}

} // namespace

TypingWordsScene::TypingWordsScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : KeyPage(owner, bitmap)
    , form_(forms::As<TfmZavadOva>(owner))
    , assigner_(form_)
{
    const std::wstring initialWordsLeft = Translate(L"25 word(s) left");
    FirstWordsLeftLabel = popup::MakeLabel(form_, initialWordsLeft, 16, kWordsLeftText, 815, 168);
    FirstWordsLeftLabel->SetWidth(100);
    SecondWordsLeftLabel = popup::MakeLabel(form_, initialWordsLeft, 16, kWordsLeftText, 815, 276);
    SecondWordsLeftLabel->SetWidth(100);
    SecondWordsLeftLabel->SetVisible(false);
    NoticeTitleLabel = WrappedLabel(form_, Translate(L"IMPORTANT MESSAGE"), 16, kNoticeTitleText, 376, 325, 667, 100);
    NoticeLabel = WrappedLabel(form_, Translate(kNotice), 16, kNoticeText, 376, 354, 719, 89);
    AgreeLabel = WrappedLabel(form_, Translate(L"I Agree"), 18, kNoticeText, 408, 460, 200, 30);

    const forms::TNotifyEvent click = [this](forms::TObject* sender) { OnClick(sender); };
    ApplyButton = keypage::MakeApplyButton(form_, bitmap, click);
    WarningImage = keypage::MakeImage(form_, L"shortcut", L"warning.png", 354, 322);
    WarningImage->SetVisible(false);
    FirstTextEdit = MakeTextEdit(127);
    SecondTextEdit = MakeTextEdit(235);
    SecondTextToggle = MakeCheckBox(form_, bitmap, 701, 183, L"typing", L"typing_tab", click);
    AgreeBox = MakeCheckBox(form_, bitmap, 376, 458, L"check_box", L"check", click);
    LoadCurrentKey();
}

CImageEditBase* TypingWordsScene::MakeTextEdit(int top)
{
    const std::wstring skin = ResourcePath(L"typing", L"typing_boxs.png");
    CImageEditBase* edit = CommonFuncHelper::GetInstance()->CreateImageEdit(form_, skin, 0xD2D2D2);
    edit->SetEnableCenterClr(0x02020A);
    edit->SetImages(8, 8, skin, skin);
    edit->Font().SetSize(13);
    edit->SetRealLeft(515);
    edit->SetRealTop(top);
    edit->SetRealVisible(true);
    edit->SetMaxLength(static_cast<int>(kTypedTextBudget));
    edit->SetAutoSelect(false);
    edit->OnKeyPress = [this](forms::TObject* sender, wchar_t& key) { OnTextKeyPress(sender, key); };
    edit->OnChange = [this](forms::TObject* sender) { OnTextChange(sender); };
    edit->OnEnter = [this](forms::TObject* sender) { OnTextEnter(sender); };
    return edit;
}

std::pair<std::wstring, int> TypingWordsScene::FormatWordsLeftCount(std::size_t count) const
{
    std::wstring caption = WordsLeftText(Translate(L"%d word(s) left"), count);
    // The hidden label sizes itself to the text.
    form_->Label1->SetCaption(caption);
    return {std::move(caption), kFieldsRightEdge - form_->Label1->Width()};
}

void TypingWordsScene::SetWordsLeft(forms::TLabel* label, std::size_t count) const
{
    const auto [caption, left] = FormatWordsLeftCount(count);
    label->SetLeft(left);
    label->SetCaption(caption);
}

std::size_t TypingWordsScene::BothLengths() const
{
    return FirstTextEdit->Text().size() + SecondTextEdit->Text().size();
}

void TypingWordsScene::SetTexts(const TypedTexts& texts)
{
    SecondTextEdit->SetText(L"");
    FirstTextEdit->SetText(texts.first);
    SecondTextEdit->SetText(texts.second);
}

void TypingWordsScene::SetVisible(bool show)
{
    AgreeBox->SetChecked(IniFile(SettingIniPath()).ReadInteger(L"Info", L"TW_Warning", 0) != 0);
    const auto n = SelectedKeyNumber();
    if (!n) {
        SetPageControlsVisible(show);
        ApplyButton->SetEnabled(false);
        const bool second = SecondTextToggle->Checked() && show;
        SecondWordsLeftLabel->SetVisible(second);
        SecondTextEdit->SetRealVisible(second);
        if (second)
            SecondTextToggle->SetEnabled(true);
        if (show)
            FirstTextEdit->SetFocus();
        return;
    }
    if (show) {
        if (const _FunData* record = FindFunData(*n); record && record->Type == FUN_TYPE_TEXT) {
            const TypedTexts texts = StoredTypedTexts(*record);
            const bool two = record->Count == 2;
            SetTexts(texts);
            const std::size_t both = texts.first.size() + texts.second.size();
            SetWordsLeft(FirstWordsLeftLabel, both);
            if (two) {
                SetWordsLeft(SecondWordsLeftLabel, both);
            } else {
                SecondWordsLeftLabel->SetCaption(L"");
            }
            SecondWordsLeftLabel->SetVisible(false);
            SecondTextToggle->SetChecked(two);
            SecondTextEdit->SetRealVisible(two);
        } else if (record && record->Type == FUN_TYPE_NONE) {
            const bool second = SecondTextToggle->Checked();
            SecondWordsLeftLabel->SetVisible(second);
            SecondTextEdit->SetRealVisible(second);
            if (second)
                SecondTextToggle->SetEnabled(true);
        }
        ApplyButton->SetEnabled(!FirstTextEdit->Text().empty() && AgreeBox->Checked());
    } else {
        SecondWordsLeftLabel->SetVisible(false);
        SecondTextEdit->SetRealVisible(false);
    }
    SetPageControlsVisible(show);
}

void TypingWordsScene::SetPageControlsVisible(bool show)
{
    FirstTextEdit->SetRealVisible(show);
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             ApplyButton, FirstWordsLeftLabel, SecondTextToggle, NoticeTitleLabel, NoticeLabel, AgreeBox, AgreeLabel,
             WarningImage})
        control->SetVisible(show);
}

void TypingWordsScene::LoadCurrentKey()
{
    const _FunData* record = SelectedKeyRecord();
    if (record == nullptr) {
        ApplyButton->SetEnabled(false);
        FirstTextEdit->SetText(L"");
        SetWordsLeft(FirstWordsLeftLabel, 0);
        return;
    }
    const TypedTexts texts = StoredTypedTexts(*record);
    const bool two = record->Count == 2;
    SetTexts(texts);
    SetWordsLeft(FirstWordsLeftLabel, texts.first.size());
    if (two) {
        SetWordsLeft(SecondWordsLeftLabel, texts.second.size());
    } else {
        SecondWordsLeftLabel->SetCaption(L"");
    }
    SecondWordsLeftLabel->SetVisible(two);
    SecondTextToggle->SetChecked(two);
    SecondTextEdit->SetRealVisible(two);
}

void TypingWordsScene::ClearFields()
{
    FirstTextEdit->SetText(L"");
    SecondTextEdit->SetText(L"");
    SecondTextToggle->SetChecked(false);
    SecondTextToggle->SetEnabled(false);
    SecondTextEdit->SetRealVisible(false);
}

void TypingWordsScene::OnTextKeyPress(forms::TObject* /*sender*/, wchar_t& key)
{
    // Refused silently; a selection that the key would replace does not count as room.
    if (!AcceptsTypedKey(key, BothLengths()))
        key = 0;
}

void TypingWordsScene::OnTextChange(forms::TObject* sender)
{
    auto* edit = forms::As<CImageEditBase>(sender);
    CImageEditBase* other = edit == FirstTextEdit ? SecondTextEdit : FirstTextEdit;
    if (other == nullptr)
        return;
    // A paste brings what typing would refuse: the text keeps only what could have been typed.
    const std::wstring text = edit->Text();
    const FilteredText kept = FilterTypedText(text, static_cast<std::size_t>(edit->SelStart()), other->Text().size());
    if (kept.text != text) {
        // Runs this handler again with the kept text.
        edit->SetText(kept.text);
        edit->SetSelStart(static_cast<int>(kept.caret));
        return;
    }
    if (edit == FirstTextEdit) {
        const bool empty = text.empty();
        SecondTextToggle->SetEnabled(!empty);
        ApplyButton->SetEnabled(!empty && AgreeBox->Checked());
    }
    SetWordsLeft(FirstWordsLeftLabel, BothLengths());
    SetWordsLeft(SecondWordsLeftLabel, BothLengths());
}

void TypingWordsScene::OnTextEnter(forms::TObject* sender)
{
    const bool first = sender == FirstTextEdit;
    FirstWordsLeftLabel->SetVisible(first);
    SecondWordsLeftLabel->SetVisible(!first);
}

void TypingWordsScene::OnClick(forms::TObject* sender)
{
    if (sender == SecondTextToggle) {
        const std::size_t firstLength = FirstTextEdit->Text().size();
        if (SecondTextToggle->Checked()) {
            SecondTextEdit->SetRealVisible(true);
            SecondWordsLeftLabel->SetVisible(true);
            SecondTextEdit->SetFocus();
            FirstWordsLeftLabel->SetLeft(FormatWordsLeftCount(firstLength).second);
        } else {
            SecondTextEdit->SetText(L"");
            SecondTextEdit->SetRealVisible(false);
            SecondWordsLeftLabel->SetVisible(false);
            FirstTextEdit->SetFocus();
            SetWordsLeft(FirstWordsLeftLabel, firstLength);
        }
        SecondWordsLeftLabel->SetLeft(FirstWordsLeftLabel->Left());
        SecondWordsLeftLabel->SetCaption(FirstWordsLeftLabel->Caption());
        ApplyButton->SetEnabled(AgreeBox->Checked());
    } else if (sender == ApplyButton) {
        assigner_.Assign({FirstTextEdit->Text(), KeyNameField::StoredName, /*dimWarning=*/false, /*trimName=*/false},
                         [this](int n, const std::wstring& name) { return WriteFunCfg(n, name); });
    } else if (sender == AgreeBox) {
        AgreeClicked();
    }
}

void TypingWordsScene::AgreeClicked()
{
    const bool ticked = AgreeBox->Checked();
    if (!WriteIniStringAllOrNothing(SettingIniPath(), L"Info", L"TW_Warning", ticked ? L"1" : L"0")) {
        // The box shows what Setting.ini keeps.
        AgreeBox->SetChecked(!ticked);
        assigner_.Warn(Translate(L"The setting could not be saved."), Translate(L"OK"), false);
        return;
    }
    if (!ticked)
        ApplyButton->SetEnabled(false);
    else if (!FirstTextEdit->Text().empty())
        ApplyButton->SetEnabled(true);
}

bool TypingWordsScene::WriteFunCfg(int n, const std::wstring& name) const
{
    const std::wstring second = SecondTextEdit->RealVisible() ? SecondTextEdit->Text() : std::wstring();
    return WriteKeySection(n, TypedTextKeyEntries(name, FirstTextEdit->Text(), second));
}
