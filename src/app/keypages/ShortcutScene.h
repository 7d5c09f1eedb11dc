#pragma once

#include "KeyAssigner.h"
#include "KeyPage.h"

#include <memory>
#include <string>

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}

// The Shortcut page: the file or folder a key opens, picked with the main form's file dialog,
// shown with its name, folder and icon.
class ShortcutScene : public KeyPage {
public:
    ShortcutScene(forms::TComponent* owner, forms::TBitmap* bitmap);
    ~ShortcutScene() override;

    void SetVisible(bool show) override;
    // Shows the stored target of the selected key (a key of type 3).
    void LoadCurrentKey();
    void ClearFields();
    // The key table assembly encodes key n: the page shows it again when n is the selected key.
    void OnKeyReset(int n) override;

    gs::GsImage* TargetIcon = nullptr;
    gs::GsImage* LaunchBox = nullptr;
    gs::GsImage* WarningImage = nullptr;
    forms::TLabel* LaunchLabel = nullptr;
    forms::TLabel* FolderLabel = nullptr;
    forms::TLabel* NameLabel = nullptr;
    // Never shown: the full path that Apply writes.
    forms::TLabel* PathLabel = nullptr;
    forms::TLabel* NoteLabel = nullptr;
    gs::GsButton* ApplyButton = nullptr;
    gs::GsButton* FileButton = nullptr;
    gs::GsButton* FolderButton = nullptr;

private:
    void OnClick(forms::TObject* sender);
    // Runs the main form's file dialog and takes a valid pick; a refused one changes nothing.
    void ChooseTarget();
    void ShowTarget(const std::wstring& path);
    // The target's icon, or the placeholder picture when there is none.
    void ShowIcon(const std::wstring& path);
    void UpdateIconVisibility();
    bool WriteFunCfg(int n, const std::wstring& name) const;

    KeyAssigner assigner_;
    // The placeholder picture, shown while the target gives no icon.
    std::unique_ptr<forms::TBitmap> placeholder_;
    bool shown_ = false;
};
