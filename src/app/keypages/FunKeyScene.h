#pragma once

#include "KeyAssigner.h"
#include "KeyPage.h"

#include <array>
#include <string>

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}

// The Function Keys page: the built-in functions of the function table as one radio group in
// four titled groups, and Apply, which assigns the function clicked last to the selected key.
class FunKeyScene : public KeyPage {
public:
    // Loads the function table and makes a button for each of its functions.
    FunKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap);

    void SetVisible(bool show) override;
    // Checks the function of the selected key (a key of type 4).
    void SelectCurrent();
    void UncheckAll();

    gs::GsImage* MediaTitle = nullptr;
    gs::GsImage* ApplicationsTitle = nullptr;
    gs::GsImage* GamingTitle = nullptr;
    gs::GsImage* FunctionsTitle = nullptr;
    forms::TLabel* MediaLabel = nullptr;
    forms::TLabel* ApplicationsLabel = nullptr;
    forms::TLabel* GamingLabel = nullptr;
    forms::TLabel* FunctionsLabel = nullptr;
    gs::GsButton* ApplyButton = nullptr;

private:
    void OnClick(forms::TObject* sender);
    void CreateFunctionButtons();
    bool WriteFunCfg(int n, const std::wstring& name) const;

    KeyAssigner assigner_;
    // A function button was clicked and its choice not yet applied.
    bool PendingChoice = false;
    // The function button clicked last: its id and its name, the default display name.
    int ChosenId = 0;
    std::wstring ChosenFunctionName;
};
