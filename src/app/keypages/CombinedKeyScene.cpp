#include "CombinedKeyScene.h"

#include "CMaskControl.h"
#include "CMaskControlMK.h"
#include "FunData.h"
#include "GrabwellDll.h"
#include "KeyPageParts.h"
#include "MainMessages.h"
#include "MainScene.h"
#include "PopupDialogParts.h"
#include "ResourcePath.h"
#include "StepFaces.h"
#include "TOneKeyEditDlg.h"
#include "TfmZavadOva.h"
#include "Translate.h"

#include "forms/Edit.h"
#include "forms/Label.h"
#include "forms/Rtl.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsCheckBox.h"
#include "gui/controls/GsImage.h"
#include "gui/png/PngReader.h"

#include <array>

// The page's pictures of one step slot.
struct SlotPictures {
    gs::GsImage* Picture = nullptr;
    // Before the slot; none before slot 1.
    gs::GsImage* Arrow = nullptr;
    // The slot's picture before its text is written.
    forms::TBitmap Face;
};

namespace {

constexpr forms::TColor kLabelColour = 0x8D8D8D;
constexpr forms::TColor kRecordingCaptionColour = 0x888888;
// The arrow before the first slot of a row stands at the end of the row above.
constexpr int kRowEndArrowLeft = 1145;

std::wstring ActionPicture(const wchar_t* file)
{
    return ResourcePath(L"combined_key\\action", file);
}

// The picture a step of each kind (1 key down, 2 key up, 3 delay) is drawn with.
constexpr std::array<const wchar_t*, 3> kKindPictures = {L"key_down_n.png", L"key_up_n.png", L"time_n.png"};

} // namespace

CombinedKeyScene::CombinedKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : KeyPage(owner, bitmap)
    , MainForm(forms::As<TfmZavadOva>(owner))
    , assigner_(MainForm)
{
    MainWindow = FindWindowW(kMainWindowClass, kMainWindowCaption);
    for (std::size_t i = 0; i < kKindPictures.size(); ++i) {
        kindPictures_[i].SetPixelFormat(forms::pf32bit);
        gs::LoadPngToBitmap(ActionPicture(kKindPictures[i]), kindPictures_[i]);
    }
    CreateControls();
    recorder_ = std::make_unique<MacroRecorder>(*this, SystemRecordingClock(), Translate);
    CreateSlots();
    recorder_->LoadKeyboardValues();
    ShowUsedSlots();
}

// The controls and the dialogs go with the main form.
CombinedKeyScene::~CombinedKeyScene() = default;

void CombinedKeyScene::CreateControls()
{
    FrameImage = keypage::MakeImage(MainForm, L"combined_key", L"frame.png", 297, 149);
    TextBarImage = keypage::MakeImage(MainForm, L"combined_key", L"textbar_n.png", 329, 532);

    DelayTimeLabel = popup::MakeLabel(MainForm, Translate(L"Delay Time"), 15, kLabelColour, 329, 511);
    RangeLabel = popup::MakeLabel(MainForm, Translate(L"ms (Range:10~750ms)"), 15, kLabelColour, 381, 535);
    BudgetLabel = popup::MakeLabel(MainForm, Translate(L"20000 ms left"), 14, kLabelColour, 500, 132);
    BudgetLabel->SetVisible(false);
    BudgetLabel->SetAutoSize(false);
    BudgetLabel->SetWidth(666);
    BudgetLabel->SetAlignment(forms::taRightJustify);

    const forms::TNotifyEvent click = [this](forms::TObject* sender) { OnClick(sender); };
    const std::wstring apply = Translate(L"Apply"), clear = Translate(L"Clear");
    ApplyButton = keypage::MakeButton(MainForm, Bitmap(), 1054, 497, L"combined_key\\btm", L"btm", apply, apply, click);
    ClearButton = keypage::MakeButton(MainForm, Bitmap(), 927, 497, L"combined_key\\btm", L"btm", clear, clear, click);

    CommonFuncHelper* factory = CommonFuncHelper::GetInstance();
    const auto record = [](const wchar_t* file) { return ResourcePath(L"combined_key\\btm", file); };
    const CommonFuncHelper::CheckBoxPaths recordPaths = {
        record(L"record_n.png"), record(L"record_o.png"),   record(L"record_d.png"), record(L"record_d.png"),
        record(L"record_d.png"), record(L"record_d_o.png"), record(L"record_o.png"), record(L"record_n.png")};
    factory->CreateCheckBox(MainForm, Bitmap(), 297, 105, recordPaths, Translate(L"Record"),
                            CommonFuncHelper::OptionalText(), RecordBox);
    gs::GsButtonOuterGlowTextEffect& recording = RecordBox->TextEffect().Checked();
    for (gs::GsTextRadiationEffect* state : {&recording.Raised(), &recording.Hovered(), &recording.Sunken()})
        state->Font().SetColor(kRecordingCaptionColour);
    RecordBox->OnClick = click;

    const auto check = [](const wchar_t* file) { return ResourcePath(L"check_box", file); };
    const CommonFuncHelper::CheckBoxPaths checkPaths = {
        check(L"check_n.png"), check(L"check_o.png"),  check(L"check_d.png"), check(L"check_d.png"),
        check(L"check_d.png"), check(L"check_do.png"), check(L"check_o.png"), check(L"check_n.png")};
    factory->CreateCheckBox(MainForm, Bitmap(), 297, 508, checkPaths, CommonFuncHelper::OptionalText(),
                            CommonFuncHelper::OptionalText(), FixedDelayBox);
    FixedDelayBox->OnClick = click;
}

void CombinedKeyScene::CreateSlots()
{
    const forms::TNotifyEvent doubleClick = [this](forms::TObject* sender) { OnSlotDblClick(sender); };
    for (int i = 1; i <= kMacroSlotCount; ++i) {
        const _CombinedKey& slot = recorder_->Slots().at(i);
        auto pictures = std::make_shared<SlotPictures>();
        const wchar_t* file = i % 2 == 1 ? L"key_down_n.png" : L"time_n.png";
        pictures->Face.SetPixelFormat(forms::pf32bit);
        gs::LoadPngToBitmap(ActionPicture(file), pictures->Face);
        pictures->Picture = keypage::MakeImage(MainForm, L"combined_key\\action", file, slot.X, slot.Y);
        pictures->Picture->SetVisible(false);
        pictures->Picture->SetTag(i);
        pictures->Picture->OnDblClick = doubleClick;
        if (i > 1) {
            const bool rowStart = i % 8 == 1;
            pictures->Arrow = keypage::MakeImage(MainForm, L"combined_key\\action", L"arrow.png",
                                                 rowStart ? kRowEndArrowLeft : slot.X - 16,
                                                 rowStart ? slot.Y - 29 : slot.Y + 11);
            pictures->Arrow->SetVisible(false);
        }
        recorder_->AttachPictures(i, std::move(pictures));
    }
}

void CombinedKeyScene::ShowSlot(const _CombinedKey& slot)
{
    const auto* pictures = slot.Pictures.get();
    if (pictures == nullptr)
        return;
    const bool visible = slot.Used && shown_;
    pictures->Picture->SetVisible(visible);
    if (pictures->Arrow)
        pictures->Arrow->SetVisible(visible);
}

void CombinedKeyScene::ShowUsedSlots()
{
    for (const auto& [number, slot] : recorder_->Slots())
        ShowSlot(slot);
}

void CombinedKeyScene::SetVisible(bool show)
{
    // A recording never runs on a hidden page.
    if (!show && recorder_->IsRecording())
        recorder_->StopRecording();
    shown_ = show;
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             ApplyButton, ClearButton, FrameImage, TextBarImage, RecordBox, FixedDelayBox, DelayTimeLabel, RangeLabel,
             MainForm->editTime})
        control->SetVisible(show);
    if (!show)
        BudgetLabel->SetVisible(false);
    else if (recorder_->KeyList().DelaySum != 0)
        BudgetLabel->SetVisible(true);
    ShowUsedSlots();
    const bool any = show && recorder_->AnySlotUsed();
    ApplyButton->SetEnabled(any);
    ClearButton->SetEnabled(any);
    recorder_->ResetEdit();
}

void CombinedKeyScene::OnKeyReset(int n)
{
    if (SelectedKeyNumber() == n)
        LoadFromFunCfg();
}

void CombinedKeyScene::LoadFromFunCfg()
{
    recorder_->LoadFromFunCfg(SelectedKeyNumber().value_or(0));
}

void CombinedKeyScene::ClearActions()
{
    recorder_->ClearActions();
}

void CombinedKeyScene::OnHookKey(std::uint32_t word)
{
    recorder_->OnHookKey(word);
}

void CombinedKeyScene::OnClick(forms::TObject* sender)
{
    // A pending edit of the delay is stored by the field's exit handler first.
    MainForm->editTime->SetEnabled(false);
    MainForm->editTime->SetEnabled(true);

    if (sender == ApplyButton) {
        ApplyClick();
    } else if (sender == ClearButton) {
        recorder_->ClearActions();
    } else if (sender == FixedDelayBox) {
        if (!recorder_->SetFixedDelay(FixedDelayBox->Checked()))
            assigner_.Warn(Translate(L"The delay setting could not be changed."), Translate(L"OK"), true);
    } else if (sender == RecordBox) {
        if (RecordBox->Checked())
            recorder_->StartRecording();
        else
            recorder_->StopRecording();
    }
}

void CombinedKeyScene::ApplyClick()
{
    assigner_.Assign({recorder_->DefaultMacroName(), KeyNameField::StoredName, /*dimWarning=*/true, /*trimName=*/true},
                     [this](int n, const std::wstring& name) {
                         MacroName = name;
                         return recorder_->WriteFunCfg(n, name) == MacroWriteResult::Written;
                     });
}

void CombinedKeyScene::OnSlotDblClick(forms::TObject* sender)
{
    if (RecordBox->Checked())
        return;
    const int number = static_cast<int>(forms::As<gs::GsImage>(sender)->Tag());
    const _CombinedKey& step = recorder_->Slots().at(number);
    if (!step.Used)
        return;
    CMaskControl::Instance()->ShowMask(MainForm);
    if (EditDialog == nullptr)
        EditDialog = new TOneKeyEditDlg(MainForm);
    EditDialog->SetKind(step.Kind);
    const std::optional<std::wstring> text = recorder_->BeginEdit(number);
    EditDialog->Edit1->SetText(text.value_or(std::wstring()));
    // The overlay is laid anew over the window as it is now, and the dialog shown over it last, so
    // that it lies above the overlay on every desktop.
    CMaskControl::Instance()->ShowMask(MainForm);
    const gs::GsImage* picture = step.Pictures->Picture;
    EditDialog->Show();
    EditDialog->SetPosition(MainForm->Left() + picture->Left(), MainForm->Top() + picture->Top());
    if (recorder_->EditState().DigitEntry)
        EditDialog->Edit1->SelectAll();
}

void CombinedKeyScene::CloseEditDialog()
{
    // A dialog left open by a reset of the editor closes too.
    if (EditDialog != nullptr && EditDialog->Visible())
        EditDialog->Close();
    if (recorder_->EditState().Editing)
        recorder_->ApplyEdit();
    CMaskControl::Instance()->HideMask();
}

void CombinedKeyScene::SetRecordBox(bool checked, const std::wstring& caption)
{
    RecordBox->SetChecked(checked);
    RecordBox->SetCaption(caption);
    RecordBox->Refresh();
}

void CombinedKeyScene::SetFixedDelayBox(bool checked)
{
    FixedDelayBox->SetChecked(checked);
}

void CombinedKeyScene::SetApplyEnabled(bool enabled)
{
    ApplyButton->SetEnabled(enabled);
}

void CombinedKeyScene::SetClearEnabled(bool enabled)
{
    ClearButton->SetEnabled(enabled);
}

void CombinedKeyScene::ShowBudget(const std::wstring& text, std::uint32_t colour, bool visible)
{
    BudgetLabel->SetCaption(text);
    BudgetLabel->Font().SetColor(static_cast<forms::TColor>(colour));
    BudgetLabel->SetVisible(visible && shown_);
}

void CombinedKeyScene::SetBudgetVisible(bool visible)
{
    BudgetLabel->SetVisible(visible && shown_);
}

void CombinedKeyScene::SetRecordingOverlay(bool shown)
{
    if (shown)
        CMaskControlMK::GetInstance()->Show(MainForm);
    else
        CMaskControlMK::GetInstance()->Hide();
}

void CombinedKeyScene::InstallHook()
{
    GrabwellDll& library = GrabwellDll::GetInstance();
    library.Bind(GrabwellPath());
    library.Hook();
}

void CombinedKeyScene::RemoveHook()
{
    const GrabwellDll& library = GrabwellDll::GetInstance();
    if (library.IsLoaded())
        library.Unhook();
}

void CombinedKeyScene::SlotChanged(int /*number*/, const _CombinedKey& slot)
{
    auto* pictures = slot.Pictures.get();
    if (pictures == nullptr)
        return;
    if (slot.Used && slot.Kind >= MACRO_STEP_KEY_DOWN && slot.Kind <= MACRO_STEP_DELAY) {
        forms::TBitmap shown;
        PaintFilledStep(shown, pictures->Face, kindPictures_[static_cast<std::size_t>(slot.Kind - 1)], slot.Kind,
                        FieldText(slot.Text));
        pictures->Picture->Picture().Bitmap().Assign(&shown);
    }
    ShowSlot(slot);
}

void CombinedKeyScene::SetEditorText(const std::wstring& text)
{
    if (EditDialog != nullptr)
        EditDialog->Edit1->SetText(text);
}

int CombinedKeyScene::DelayFieldValue()
{
    return forms::TryStrToInt(MainForm->editTime->Text()).value_or(0);
}
