#pragma once

#include "KeyAssigner.h"
#include "KeyPage.h"
#include "MacroRecorder.h"
#include "MacroRecorderView.h"

#include "forms/Bitmap.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsCheckBox;
class GsImage;
}
class TOneKeyEditDlg;
class TfmZavadOva;

// The Macro Keys page: records key macros through the keyboard hook into 59 step slots, lets the
// user change one step in the key-step dialog, and stores the macro for the selected key. The
// recorder holds the steps; the page draws them. The main form's delay field belongs to its look.
class CombinedKeyScene : public KeyPage, public MacroRecorderView {
public:
    // The owner is the main form, on which every control of the page lies.
    CombinedKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap);
    ~CombinedKeyScene() override;

    void SetVisible(bool show) override;
    // Reloads the macro of key n when n is the selected key.
    void OnKeyReset(int n) override;
    // Shows the stored macro of the selected key (a key of type 129).
    void LoadFromFunCfg();
    // Empties the recorded steps; a running recording is stopped first.
    void ClearActions();

    // A hook word: taken only while a recording runs or a step is being edited.
    void OnHookKey(std::uint32_t word);
    // Ends the editing of a step, if any, and removes the dim.
    void CloseEditDialog();

    const MacroRecorder& Recorder() const { return *recorder_; }

    gs::GsCheckBox* RecordBox = nullptr;
    gs::GsCheckBox* FixedDelayBox = nullptr;
    gs::GsImage* FrameImage = nullptr;
    gs::GsImage* TextBarImage = nullptr;
    forms::TLabel* DelayTimeLabel = nullptr;
    forms::TLabel* RangeLabel = nullptr;
    forms::TLabel* BudgetLabel = nullptr;
    gs::GsButton* ApplyButton = nullptr;
    gs::GsButton* ClearButton = nullptr;
    HWND MainWindow = nullptr;
    // The name chosen in the rename dialog.
    std::wstring MacroName;

private:
    void CreateControls();
    void CreateSlots();
    void OnClick(forms::TObject* sender);
    void OnSlotDblClick(forms::TObject* sender);
    // Names the macro and stores it for the selected key.
    void ApplyClick();
    // The picture of every slot, with its arrow, shows exactly when the slot is used and the page
    // is shown.
    void ShowUsedSlots();
    void ShowSlot(const _CombinedKey& slot);

    // MacroRecorderView
    void SetRecordBox(bool checked, const std::wstring& caption) override;
    void SetFixedDelayBox(bool checked) override;
    void SetApplyEnabled(bool enabled) override;
    void SetClearEnabled(bool enabled) override;
    void ShowBudget(const std::wstring& text, std::uint32_t colour, bool visible) override;
    void SetBudgetVisible(bool visible) override;
    void SetRecordingOverlay(bool shown) override;
    void InstallHook() override;
    void RemoveHook() override;
    void SlotChanged(int number, const _CombinedKey& slot) override;
    void SetEditorText(const std::wstring& text) override;
    int DelayFieldValue() override;

    TfmZavadOva* MainForm;
    std::unique_ptr<MacroRecorder> recorder_;
    // The rename and confirmation dialogs of Apply and the page's warnings.
    KeyAssigner assigner_;
    TOneKeyEditDlg* EditDialog = nullptr;
    // The pictures of a key-down, key-up and delay step.
    std::array<forms::TBitmap, 3> kindPictures_;
    // The page is on show: its slots and budget label may be seen.
    bool shown_ = false;
};
