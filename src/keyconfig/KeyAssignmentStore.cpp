#include "KeyAssignmentStore.h"

#include "IniFile.h"
#include "ProgramFolder.h"

namespace {

_FunData ReadFunData(const IniFile& file, int n)
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
    const IniFile funCfg(FunCfgPath());
    for (int n = 1; n <= kFunKeyCount; ++n)
        FunDataMap().emplace(FunSection(n), ReadFunData(funCfg, n));

    KeyCodeMap().clear();
    const IniFile keyMap(KeyMapPath());
    const int count = keyMap.ReadInteger(L"Info", L"count", 98);
    for (int k = 1; k <= count; ++k) {
        const std::wstring row = std::to_wstring(k);
        std::wstring text = keyMap.ReadString(L"KeyCode", row + L"_dis", L"", kFieldCapacity);
        const int code = keyMap.ReadInteger(L"KeyCode", row + L"_key", 0);
        // emplace keeps the first row of a repeated text.
        KeyCodeMap().emplace(std::move(text), code);
    }
    return AnyKeyAssigned();
}

void ReloadFunData(int n)
{
    const std::wstring section = FunSection(n);
    if (FunDataMap().count(section) != 0)
        return;
    FunDataMap().emplace(section, ReadFunData(IniFile(FunCfgPath()), n));
}

void ClearFunKey(int n)
{
    const IniFile funCfg(FunCfgPath());
    funCfg.DeleteSection(FunSection(n));
    _FunData* data = FindFunData(n);
    if (data == nullptr)
        return;
    // Only a macro's second section goes; other types never wrote one of their own.
    if (data->Type == FUN_TYPE_MACRO)
        funCfg.DeleteSection(FunUiSection(n));
    data->Type = FUN_TYPE_NONE;
}

void ClearAllFunKeys(ControllerPort& port, const KeyResetObservers& observers)
{
    for (int n = 1; n <= kFunKeyCount; ++n)
        ClearFunKey(n);
    BuildEcBuffer(port, observers);
}

bool AnyKeyAssigned()
{
    for (const auto& [name, data] : FunDataMap())
        if (data.Type != FUN_TYPE_NONE)
            return true;
    return false;
}
