#include "KeyAssignmentStore.h"

#include "IniFile.h"
#include "IniSnapshot.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

_FunData ReadFunData(const IniSnapshot& file, int n)
{
    const std::wstring section = FunSection(n);
    _FunData data;
    CopyField(data.DisplayName, file.ReadString(section, L"DisplayName", L"", kDisplayNameCapacity));
    CopyField(data.IconFile, file.ReadString(section, L"IconFile", L"", kFieldCapacity));
    for (int i = 0; i < kFunValueCount; ++i)
        CopyField(data.Value[i], file.ReadString(section, std::to_wstring(i + 1), L"", kFieldCapacity));
    data.Type = file.ReadInteger(section, L"Type", FUN_TYPE_NONE);
    data.Count = file.ReadInteger(section, L"Count", 1);
    return data;
}

// KeyMap.cfg's rows 1..count in order. Only the rows present are read: every absent row reads as
// the empty text with code 0, which only the first of them adds.
void LoadKeyCodes(const IniSnapshot& keyMap)
{
    const int count = keyMap.ReadInteger(L"Info", L"count", 98);
    std::vector<int> rows = keyMap.KeyNumbers(L"KeyCode", count);
    int firstAbsent = 1;
    while (firstAbsent <= count && std::binary_search(rows.begin(), rows.end(), firstAbsent))
        ++firstAbsent;
    if (firstAbsent <= count)
        rows.insert(std::lower_bound(rows.begin(), rows.end(), firstAbsent), firstAbsent);
    for (const int k : rows) {
        const std::wstring row = std::to_wstring(k);
        std::wstring text = keyMap.ReadString(L"KeyCode", row + L"_dis", L"", kFieldCapacity);
        const int code = keyMap.ReadInteger(L"KeyCode", row + L"_key", 0);
        // emplace keeps the first row of a repeated text.
        KeyCodeMap().emplace(std::move(text), code);
    }
}

// The value number (1..15) a section key names, or 0.
int ValueNumberOf(const std::wstring& key)
{
    for (int i = 1; i <= kFunValueCount; ++i)
        if (key == std::to_wstring(i))
            return i;
    return 0;
}

// The record's text field for a section key and its capacity, or null.
std::pair<wchar_t*, std::size_t> TextFieldOf(_FunData& record, const std::wstring& key)
{
    if (key == L"DisplayName")
        return {record.DisplayName, kDisplayNameCapacity};
    if (key == L"IconFile")
        return {record.IconFile, kFieldCapacity};
    if (const int i = ValueNumberOf(key))
        return {record.Value[i - 1], kFieldCapacity};
    return {nullptr, 0};
}

// Unassigns keys first..last with one replacement of fun.cfg; the records change only with it.
bool ClearFunKeys(int first, int last)
{
    const bool written = WriteIniAllOrNothing(FunCfgPath(), [&](const IniFile& file) {
        for (int n = first; n <= last; ++n) {
            const _FunData* data = FindFunData(n);
            // Only a macro's second section goes; other types never wrote one of their own. The
            // file is asked too: another program may have made the key a macro since it was loaded.
            const bool macro = (data != nullptr && data->Type == FUN_TYPE_MACRO) ||
                               file.ReadInteger(FunSection(n), L"Type", FUN_TYPE_NONE) == FUN_TYPE_MACRO;
            if (!file.DeleteSection(FunSection(n)) || (macro && !file.DeleteSection(FunUiSection(n))))
                return false;
        }
        return true;
    });
    if (!written)
        return false;
    for (int n = first; n <= last; ++n)
        if (_FunData* data = FindFunData(n))
            data->Type = FUN_TYPE_NONE;
    return true;
}

} // namespace

FunDataMapType& FunDataMap()
{
    static FunDataMapType map;
    return map;
}

KeyCodeMapType& KeyCodeMap()
{
    static KeyCodeMapType map;
    return map;
}

std::wstring FunSection(int n)
{
    return L"F" + std::to_wstring(n);
}

std::wstring FunUiSection(int n)
{
    return FunSection(n) + L"_UI";
}

_FunData* FindFunData(int n)
{
    const auto it = FunDataMap().find(FunSection(n));
    return it == FunDataMap().end() ? nullptr : &it->second;
}

std::wstring FunCfgPath()
{
    return ProgramFolder() + L"fun.cfg";
}

std::wstring KeyMapPath()
{
    return ProgramFolder() + L"KeyMap.cfg";
}

std::wstring SettingIniPath()
{
    return ProgramFolder() + L"Setting.ini";
}

bool LoadConfig()
{
    FunDataMap().clear();
    const IniSnapshot funCfg(FunCfgPath());
    for (int n = 1; n <= kFunKeyCount; ++n)
        FunDataMap().emplace(FunSection(n), ReadFunData(funCfg, n));

    KeyCodeMap().clear();
    LoadKeyCodes(IniSnapshot(KeyMapPath()));
    return AnyKeyAssigned();
}

void ReloadFunData(int n)
{
    const std::wstring section = FunSection(n);
    if (FunDataMap().count(section) != 0)
        return;
    FunDataMap().emplace(section, ReadFunData(IniSnapshot(FunCfgPath()), n));
}

bool WriteKeySection(int n, std::vector<SectionEntry> entries, const std::vector<SectionEntry>& uiEntries)
{
    if (n < 1 || n > kFunKeyCount)
        return false;
    // Only the fields' capacities are read here: the record itself is looked up after the write,
    // so that a failed one adds no empty record that would hide the file's section later.
    _FunData shape;
    for (SectionEntry& entry : entries)
        if (const auto [text, capacity] = TextFieldOf(shape, entry.key); text)
            entry.value.resize(std::min(entry.value.size(), capacity - 1));
    const std::wstring section = FunSection(n);
    const std::wstring uiSection = FunUiSection(n);
    const bool written = WriteIniAllOrNothing(FunCfgPath(), [&](const IniFile& file) {
        for (const SectionEntry& entry : entries)
            if (!file.WriteString(section, entry.key, entry.value))
                return false;
        for (const SectionEntry& entry : uiEntries)
            if (!file.WriteString(uiSection, entry.key, entry.value))
                return false;
        return true;
    });
    if (!written)
        return false;
    _FunData& record = FunDataMap()[section];
    // The values were cut to their fields above.
    for (const SectionEntry& entry : entries) {
        if (const auto [text, capacity] = TextFieldOf(record, entry.key); text)
            std::copy_n(entry.value.c_str(), entry.value.size() + 1, text);
        else if (entry.key == L"Type")
            record.Type = ParseIniInteger(entry.value);
        else if (entry.key == L"Count")
            record.Count = ParseIniInteger(entry.value);
    }
    return true;
}

bool ClearFunKey(int n)
{
    return ClearFunKeys(n, n);
}

ClearAllResult ClearAllFunKeys(ControllerPort& port, const KeyResetObservers& observers)
{
    if (!ClearFunKeys(1, kFunKeyCount))
        return ClearAllResult::FunCfgFailed;
    return BuildEcBuffer(port, observers) ? ClearAllResult::Done : ClearAllResult::TableRefused;
}

bool AnyKeyAssigned()
{
    for (const auto& [name, data] : FunDataMap())
        if (data.Type != FUN_TYPE_NONE)
            return true;
    return false;
}
