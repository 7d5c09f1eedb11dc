#pragma once

#include "MacroSteps.h"

#include <cstdint>
#include <string>

// What the macro recorder changes on the Macro Keys page and reads from the main form. The page
// implements it; texts arrive translated and formatted, colours as 0x00BBGGRR.
class MacroRecorderView {
public:
    virtual ~MacroRecorderView() = default;

    // The "Record"/"Stop" box: its checked state and caption, then refreshed.
    virtual void SetRecordBox(bool checked, const std::wstring& caption) = 0;
    virtual void SetFixedDelayBox(bool checked) = 0;
    virtual void SetApplyEnabled(bool enabled) = 0;
    virtual void SetClearEnabled(bool enabled) = 0;
    virtual void ShowBudget(const std::wstring& text, std::uint32_t colour, bool visible) = 0;
    virtual void SetBudgetVisible(bool visible) = 0;
    // The recording overlay over the main window.
    virtual void SetRecordingOverlay(bool shown) = 0;
    // Loads the hook library from the program folder and calls Hook; a library that cannot be
    // loaded is reported to the user.
    virtual void InstallHook() = 0;
    // Calls Unhook when the hook library is loaded.
    virtual void RemoveHook() = 0;
    // Slot `number` (1..59) changed its kind, text or use: a used slot gets the face of its kind
    // with its text; its picture and arrow are visible exactly when it is used.
    virtual void SlotChanged(int number, const _CombinedKey& slot) = 0;
    // The text of the key-step editor's field.
    virtual void SetEditorText(const std::wstring& text) = 0;
    // The main form's delay field ("Time") as a number; 0 when it holds none.
    virtual int DelayFieldValue() = 0;
};
