#pragma once

#include "KeyPage.h"

// The Macro Keys page: records key macros with the keyboard hook. The main form's delay field
// belongs to its look.
class CombinedKeyScene : public KeyPage {
public:
    using KeyPage::KeyPage;

    void SetVisible(bool show) override;
    // Shows the stored macro of the selected key (a key of type 129).
    void LoadFromFunCfg();
    // Empties the recorded steps; a running recording is stopped first.
    void ClearActions();

    // Hooked keys are taken only while a recording runs or a step is being edited.
    bool AcceptsHookKeys() const;
    bool IsKnownKey(int key) const;
    // A step: kind 1 key down, 2 key up, 3 delay.
    void AddAction(int value, int kind);
    // Ends the editing of a step, if any, and removes the dim.
    void CloseEditDialog();
};
