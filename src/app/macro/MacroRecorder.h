#pragma once

#include "KeyboardValueMap.h"
#include "MacroRecorderView.h"
#include "MacroSteps.h"
#include "RecordingClock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

enum class MacroWriteResult {
    NoKeySelected,
    Written,
    // fun.cfg could not be written; it and the key's record are unchanged.
    Failed,
};

// The model behind the Macro Keys page: turns the keyboard hook's events into at most 59 steps,
// keeps the key list with its times, watches the 20000 ms delay budget, edits one step, and reads
// and writes the macro in fun.cfg. Everything it shows goes through the view. How the page drives
// it: MacroRecorder.md beside this file.
class MacroRecorder {
public:
    using TranslateFunction = std::function<std::wstring(const std::wstring&)>;

    static constexpr std::int32_t kTimeBudgetMs = 20000;
    // At or below this many ms left the budget label turns red.
    static constexpr std::int32_t kBudgetWarningMs = 1000;
    static constexpr std::int32_t kMinDelayMs = 10;
    static constexpr std::uint32_t kBudgetColour = 0x8D8D8D;
    static constexpr std::uint32_t kBudgetWarningColour = 0x2730B8;

    MacroRecorder(MacroRecorderView& view, RecordingClock& clock, TranslateFunction translate);
    MacroRecorder(const MacroRecorder&) = delete;
    MacroRecorder& operator=(const MacroRecorder&) = delete;

    // Reads KeyboardValue.cfg, enables Apply and Clear, and sets the fixed-delay box from
    // Setting.ini "TimeType".
    void LoadKeyboardValues();
    bool IsKnownKey(std::uint32_t key) const;

    // The Record box was checked or unchecked by the user.
    void StartRecording();
    void StopRecording();
    bool IsRecording() const { return recording_; }

    // The fixed-delay box was clicked: stores "TimeType"; false when Setting.ini refused it.
    bool SetFixedDelay(bool on);
    bool IsFixedDelay() const { return fixedDelay_; }

    // The hook word of one MKM_HOOK_KEY message, as the main window receives it. Used only while
    // recording or editing a step; a known key adds a delay and the key's step.
    void OnHookKey(std::uint32_t word);
    // Records one step (kind 1 key down, 2 key up, 3 delay; the value of a delay is ignored) or
    // feeds the step editor.
    void AddAction(std::int32_t value, std::int32_t kind);
    void UpdateTimeBudget();
    // Stops a running recording, empties every slot and the key list and arms the recorder.
    void ClearActions();

    // Opens the editor on a used slot; its first text, or nothing while recording or for an
    // unused slot.
    std::optional<std::wstring> BeginEdit(int slot);
    // Applies the key or delay typed since BeginEdit, and ends editing.
    void ApplyEdit();
    // Ends editing without a change.
    void ResetEdit();

    // Stores the steps as the macro of key n (1..10) under `name` in fun.cfg and the key's record.
    MacroWriteResult WriteFunCfg(int n, const std::wstring& name);
    // Clears, then loads key n's macro from fun.cfg; only clears when n is not 1..10.
    void LoadFromFunCfg(int n);
    // The display texts of the recorded keys, joined by one blank.
    std::wstring DefaultMacroName() const;

    const CombinedKeyMapType& Slots() const { return slots_; }
    // The page keeps its pictures with the slot.
    void AttachPictures(int slot, std::shared_ptr<SlotPictures> pictures);
    bool AnySlotUsed() const;
    std::int32_t ActionCount() const { return actionCount_; }
    const ZavadOvaList& KeyList() const { return list_; }
    const MacroEditState& EditState() const { return edit_; }
    const KeyboardValueMapType& KeyboardValues() const { return keyboardValues_; }

private:
    const _KeyInStruct* FindKey(std::int32_t key) const;
    void FeedEditor(std::int32_t key, std::int32_t kind, const std::wstring& text);
    void LinkKeyStep(std::int32_t key, std::int32_t kind, std::uint32_t now, std::optional<int> fixedDelay);
    void SetStepKey(int slot, std::int32_t key, const std::wstring& text);
    void RepaintSlot(int slot);
    void EndRecording();
    std::wstring Format(const wchar_t* english, std::int32_t number) const;

    MacroRecorderView& view_;
    RecordingClock& clock_;
    TranslateFunction translate_;
    KeyboardValueMapType keyboardValues_;
    CombinedKeyMapType slots_;
    ZavadOvaList list_;
    MacroEditState edit_;
    std::int32_t actionCount_ = 0;
    bool recording_ = false;
    bool fixedDelay_ = false;
};
