#include "MacroFunCfg.h"

#include "FunData.h"
#include "IniSnapshot.h"
#include "MacroCodeWord.h"

#include <algorithm>
#include <cstdio>

namespace {

std::wstring Hex(std::uint32_t word)
{
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"0x%x", static_cast<unsigned>(word));
    return text;
}

} // namespace

std::wstring MacroValueText(const ZavadOvaList& list, int i)
{
    const std::int32_t key = i >= 1 && i <= kMacroKeyCount ? list.Keys[i - 1] : 0;
    return key != 0 || i == 1 ? std::to_wstring(key) : std::wstring();
}

std::vector<SectionEntry> MacroKeyEntries(const std::wstring& name, const ZavadOvaList& list,
                                         const KeyboardValueMapType& keyboardValues)
{
    std::vector<SectionEntry> entries = {{L"DisplayName", name}, {L"IconFile", L""}};
    for (int i = 1; i <= kFunValueCount; ++i)
        entries.push_back({std::to_wstring(i), MacroValueText(list, i)});
    entries.push_back({L"Type", std::to_wstring(FUN_TYPE_MACRO)});
    entries.push_back({L"Count", std::to_wstring(list.KeyCount)});
    for (int i = 0; i < list.KeyCount; ++i) {
        const auto key = keyboardValues.find(static_cast<std::uint32_t>(list.Keys[i]));
        // A key this installation does not name (a fun.cfg from elsewhere) plays without a scan code.
        const std::int32_t deviceCode = key == keyboardValues.end() ? 0 : key->second.DeviceCode;
        entries.push_back({std::to_wstring(i + 1) + L"_code",
                           Hex(PackMacroCodeWord(deviceCode, list.DownTimes[i], list.UpTimes[i]))});
    }
    return entries;
}

std::vector<SectionEntry> MacroSlotEntries(const CombinedKeyMapType& slots)
{
    std::vector<SectionEntry> entries;
    for (int j = 1; j <= kMacroSlotCount; ++j) {
        const std::wstring number = std::to_wstring(j);
        const auto slot = slots.find(j);
        const bool used = slot != slots.end() && slot->second.Used;
        entries.push_back({number + L"_status", used ? std::to_wstring(slot->second.Kind) : L"0"});
        entries.push_back({number + L"_dis", used ? std::wstring(FieldText(slot->second.Text)) : L""});
        entries.push_back({number + L"_key", used ? std::to_wstring(slot->second.Value) : L"0"});
    }
    return entries;
}

void ReadMacroSections(const std::wstring& path, int n, ZavadOvaList& list, CombinedKeyMapType& slots)
{
    const IniSnapshot file(path);
    const std::wstring section = FunSection(n);
    list.Keys = list.DownTimes = list.UpTimes = list.DownSlots = list.UpSlots = {};
    list.KeyCount = std::clamp(file.ReadInteger(section, L"Count", 0), 0, kMacroKeyCount);
    for (int i = 0; i < list.KeyCount; ++i) {
        const std::wstring number = std::to_wstring(i + 1);
        list.Keys[i] = file.ReadInteger(section, number, 0);
        const MacroKeyTimes times =
            UnpackMacroCodeWord(static_cast<std::uint32_t>(file.ReadInteger(section, number + L"_code", 0)));
        list.DownTimes[i] = times.DownMs;
        list.UpTimes[i] = times.UpMs;
    }

    const std::wstring ui = FunUiSection(n);
    for (int j = 1; j <= kMacroSlotCount; ++j) {
        const std::wstring number = std::to_wstring(j);
        _CombinedKey& slot = slots[j];
        const int kind = file.ReadInteger(ui, number + L"_status", MACRO_STEP_NONE);
        slot.Kind = kind >= MACRO_STEP_KEY_DOWN && kind <= MACRO_STEP_DELAY ? kind : MACRO_STEP_NONE;
        slot.Used = slot.Kind != MACRO_STEP_NONE;
        slot.Value = file.ReadInteger(ui, number + L"_key", 0);
        CopyField(slot.Text, file.ReadString(ui, number + L"_dis", L"", kStepTextCapacity));
        slot.SlotNumber = j;
        if (slot.Kind == MACRO_STEP_KEY_DOWN) {
            if (const int i = EntryAwaitingDown(list, slot.Value); i >= 0)
                list.DownSlots[i] = j;
        } else if (slot.Kind == MACRO_STEP_KEY_UP) {
            if (const int i = EntryAwaitingUp(list, slot.Value); i >= 0)
                list.UpSlots[i] = j;
        }
    }
}
