#include "FunKeyScene.h"

#include "FunctionTable.h"
#include "KeyAssignmentStore.h"
#include "KeySectionEntries.h"
#include "KeyPageParts.h"
#include "MainScene.h"
#include "PopupDialogParts.h"
#include "ResourcePath.h"
#include "Translate.h"

#include "forms/Label.h"
#include "gui/controls/CommonFuncHelper.h"
#include "gui/controls/GsButton.h"
#include "gui/controls/GsImage.h"
#include "gui/controls/GsRadioButton.h"

#include <optional>

namespace {

constexpr int kFunctionGroup = 4;
constexpr forms::TColor kTitleColor = 0x888888;
constexpr int kTitleFontHeight = 16;

// The id a stored value "1" names: decimal digits only, as the page writes it.
std::optional<int> StoredFunctionId(std::wstring_view value)
{
    if (value.empty() || value.size() > 9)
        return std::nullopt;
    int id = 0;
    for (const wchar_t c : value) {
        if (c < L'0' || c > L'9')
            return std::nullopt;
        id = id * 10 + (c - L'0');
    }
    return id;
}

} // namespace

FunKeyScene::FunKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : KeyPage(owner, bitmap)
    , assigner_(forms::As<forms::TForm>(owner))
{
    auto* form = forms::As<forms::TForm>(owner);
    MediaTitle = keypage::MakeImage(form, L"Function", L"1title.png", 300, 100);
    ApplicationsTitle = keypage::MakeImage(form, L"Function", L"1title.png", 300, 237);
    GamingTitle = keypage::MakeImage(form, L"Function", L"1title.png", 300, 372);
    FunctionsTitle = keypage::MakeImage(form, L"Function", L"1title.png", 778, 100);
    const auto title = [form](const wchar_t* text, int x, int y) {
        return popup::MakeLabel(form, Translate(text), kTitleFontHeight, kTitleColor, x, y);
    };
    MediaLabel = title(L"Media", 320, 102);
    ApplicationsLabel = title(L"Default Applications", 320, 239);
    GamingLabel = title(L"Gaming", 320, 374);
    FunctionsLabel = title(L"Functions", 798, 102);
    ApplyButton = keypage::MakeApplyButton(form, bitmap, [this](forms::TObject* sender) { OnClick(sender); });

    // The function table serves the key-table assembly and the key actions as well.
    LoadFunKeyMap(Translate);
    PendingChoice = false;
    ApplyButton->SetEnabled(false);
    CreateFunctionButtons();
}

void FunKeyScene::CreateFunctionButtons()
{
    auto* form = forms::As<forms::TForm>(Owner());
    for (auto& [id, function] : FunKeyMap()) {
        const std::wstring base = std::to_wstring(id);
        const auto picture = [&](const wchar_t* state) { return ResourcePath(L"Function", base + state); };
        const CommonFuncHelper::RadioButtonPaths paths = {picture(L"_n.png"), picture(L"_o.png"), picture(L"_d.png"),
                                                          picture(L"_d.png"), picture(L"_o.png"), picture(L"_n.png")};
        gs::GsRadioButton* button = nullptr;
        CommonFuncHelper::GetInstance()->CreateRadioButton(form, Bitmap(), function.X, function.Y, paths,
                                                           std::wstring(), std::wstring(FieldText(function.Name)),
                                                           kFunctionGroup, button);
        button->SetTag(id);
        button->OnClick = [this](forms::TObject* sender) { OnClick(sender); };
        function.Control = button;
    }
}

void FunKeyScene::SetVisible(bool show)
{
    for (forms::TControl* control : std::initializer_list<forms::TControl*>{
             MediaTitle, ApplicationsTitle, GamingTitle, FunctionsTitle, MediaLabel, ApplicationsLabel, GamingLabel,
             FunctionsLabel, ApplyButton})
        control->SetVisible(show);
    for (const auto& [id, function] : FunKeyMap())
        if (function.Control)
            function.Control->SetVisible(show);
    ApplyButton->SetEnabled(PendingChoice);
}

void FunKeyScene::UncheckAll()
{
    for (const auto& [id, function] : FunKeyMap())
        if (function.Control)
            function.Control->SetChecked(false);
}

void FunKeyScene::SelectCurrent()
{
    const _FunData* record = SelectedKeyRecord();
    if (record == nullptr)
        return;
    const auto id = StoredFunctionId(FieldText(record->Value[0]));
    if (!id || *id == 0)
        return;
    const auto function = FunKeyMap().find(*id);
    if (function != FunKeyMap().end() && function->second.Control)
        function->second.Control->SetChecked(true);
}

void FunKeyScene::OnClick(forms::TObject* sender)
{
    if (sender == ApplyButton) {
        // The function clicked last is applied, whatever button shows checked now.
        const KeyAssignOutcome outcome =
            assigner_.Assign({ChosenFunctionName, KeyNameField::DefaultName, /*dimWarning=*/true, /*trimName=*/false},
                             [this](int n, const std::wstring& name) { return WriteFunCfg(n, name); });
        if (outcome == KeyAssignOutcome::Written)
            PendingChoice = false;
        return;
    }
    auto* button = forms::As<gs::GsRadioButton>(sender);
    ChosenId = static_cast<int>(button->Tag());
    ChosenFunctionName = button->Hint();
    PendingChoice = true;
    ApplyButton->SetEnabled(true);
}

bool FunKeyScene::WriteFunCfg(int n, const std::wstring& name) const
{
    return WriteKeySection(n, FunctionKeyEntries(name, ChosenId));
}
