#pragma once

#include "KeyAssignmentStore.h"
#include "KeyboardValueMap.h"
#include "MacroSteps.h"

#include <string>
#include <vector>

// The macro sections of fun.cfg for key n: section Fn (name, key list, Type 129, Count and one
// code word per key) and section Fn_UI (kind, text and value of each of the 59 slots).

// Value "i" (1..15) of a macro: the key's decimal code; "" for an empty entry other than "1".
std::wstring MacroValueText(const ZavadOvaList& list, int i);

// Section Fn in the order it is written (WriteKeySection): DisplayName, IconFile emptied, values
// "1".."15", Type, Count, then "1_code".."Count_code".
std::vector<SectionEntry> MacroKeyEntries(const std::wstring& name, const ZavadOvaList& list,
                                         const KeyboardValueMapType& keyboardValues);

// Section Fn_UI: "j_status", "j_dis" and "j_key" of each slot j = 1..59; an unused slot as 0, "", 0.
std::vector<SectionEntry> MacroSlotEntries(const CombinedKeyMapType& slots);

// Reads key n's key list (keys and times, Count limited to 0..15) and the 59 slots (a kind other
// than 1..3 reads as an unused slot) and links each key-down and key-up step to its key. Slots are
// numbered 1..59; X and Y are left alone. The list's clock values and delay sum are left alone.
void ReadMacroSections(const std::wstring& path, int n, ZavadOvaList& list, CombinedKeyMapType& slots);
