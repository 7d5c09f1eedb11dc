#include "KeyboardValueMap.h"

#include "IniSnapshot.h"
#include "ProgramFolder.h"

std::wstring KeyboardValuePath()
{
    return ProgramFolder() + L"KeyboardValue.cfg";
}

KeyboardValueMapType LoadKeyboardValueMap(const std::wstring& path)
{
    const IniSnapshot ini(path);
    const int count = ini.ReadInteger(L"Info", L"count", 98);
    KeyboardValueMapType map;
    for (const int number : ini.KeyNumbers(L"Key", count)) {
        const std::wstring entry = std::to_wstring(number);
        _KeyInStruct key;
        key.DisplayText = ini.ReadString(L"Key", entry + L"_dis", L"", kKeyDisplayTextCapacity);
        key.DeviceCode = ini.ReadInteger(L"Key", entry + L"_code", 0);
        map.emplace(static_cast<std::uint32_t>(ini.ReadInteger(L"Key", entry + L"_keyVal", 0)), std::move(key));
    }
    return map;
}
