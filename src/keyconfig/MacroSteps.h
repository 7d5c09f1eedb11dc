#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

// The data of a recorded macro: the 59 step slots of the Macro Keys page and the list of the
// recorded keys with their times.

enum MacroStepKind : std::int32_t {
    MACRO_STEP_NONE = 0,
    MACRO_STEP_KEY_DOWN = 1,
    MACRO_STEP_KEY_UP = 2,
    MACRO_STEP_DELAY = 3,
};

constexpr int kMacroSlotCount = 59;
constexpr int kMacroKeyCount = 15;
constexpr std::size_t kStepTextCapacity = 64;

// The page's pictures of one slot (its picture, the arrow before it and its face). The page
// defines the type; the recorder only keeps the pointer with the slot.
struct SlotPictures;

// One step slot.
struct _CombinedKey {
    std::shared_ptr<SlotPictures> Pictures;
    // The key's display text, or the delay in ms as decimal digits.
    wchar_t Text[kStepTextCapacity] = {};
    // 1..59 once the slot has been filled, 0 after a clear.
    std::int32_t SlotNumber = 0;
    std::int32_t Kind = MACRO_STEP_NONE;
    bool Used = false;
    // The slot picture's place on the page.
    std::int32_t X = 0;
    std::int32_t Y = 0;
    // The virtual-key code of a key step, the delay in ms of a delay step.
    std::int32_t Value = 0;
};

// Slot number 1..59 -> slot.
using CombinedKeyMapType = std::map<int, _CombinedKey>;

// The keys of one macro in recording order. Entry i (1..15) is element i - 1 of each array.
struct ZavadOvaList {
    std::array<std::int32_t, kMacroKeyCount> Keys{};
    // ms from the start of recording to the key's key-down and key-up.
    std::array<std::int32_t, kMacroKeyCount> DownTimes{};
    std::array<std::int32_t, kMacroKeyCount> UpTimes{};
    // Slot numbers of the key's key-down and key-up steps, 0 when none.
    std::array<std::int32_t, kMacroKeyCount> DownSlots{};
    std::array<std::int32_t, kMacroKeyCount> UpSlots{};
    std::int32_t KeyCount = 0;
    // Clock values (ms) at the start of recording and at the last key step.
    std::uint32_t StartTime = 0;
    std::uint32_t LastKeyTime = 0;
    // The sum of the delay steps at the last budget check.
    std::int32_t DelaySum = 0;
};

// The one-step editor that the hook's key events feed while a step is edited.
struct MacroEditState {
    bool Editing = false;
    // The edited step is a delay: digit keys build the new delay.
    bool DigitEntry = false;
    std::int32_t PendingKey = 0;
    std::int32_t PendingDelay = 0;
    std::int32_t EditedSlot = 0;
    std::int32_t EditedKind = MACRO_STEP_NONE;
    // What the editor's text field shows.
    std::wstring Text;
};

// The first entry (0-based) of `key` that has no key-down step yet; -1 when none.
int EntryAwaitingDown(const ZavadOvaList& list, std::int32_t key);
// The first entry of `key` that has a key-down step and no key-up step yet; -1 when none.
int EntryAwaitingUp(const ZavadOvaList& list, std::int32_t key);
