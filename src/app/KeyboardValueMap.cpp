#include "KeyboardValueMap.h"

#include "IniFile.h"
#include "ProgramFolder.h"

#include <set>

namespace {

// The entry number of a key such as "12_dis"; 0 for any other key.
int EntryNumber(const std::wstring& key)
{
    const std::size_t underscore = key.find(L'_');
    if (underscore == 0 || underscore == std::wstring::npos || underscore > 9)
        return 0;
    int number = 0;
    for (std::size_t i = 0; i < underscore; ++i) {
        if (key[i] < L'0' || key[i] > L'9')
            return 0;
        number = number * 10 + (key[i] - L'0');
    }
    // "01_dis" is not entry 1 for the key-by-key reader either.
    return std::to_wstring(number) == key.substr(0, underscore) ? number : 0;
}

} // namespace

std::wstring KeyboardValuePath()
{
    return ProgramFolder() + L"KeyboardValue.cfg";
}

KeyboardValueMapType LoadKeyboardValueMap(const std::wstring& path)
{
    const IniFile file(path);
    const int count = file.ReadInteger(L"Info", L"count", 98);
    const IniSection keys = file.ReadSection(L"Key");
    std::set<int> numbers;
    for (const auto& [key, value] : keys.Entries()) {
        const int number = EntryNumber(key);
        if (number >= 1 && number <= count)
            numbers.insert(number);
    }
    KeyboardValueMapType map;
    for (const int number : numbers) {
        const std::wstring entry = std::to_wstring(number);
        _KeyInStruct key;
        key.DisplayText = keys.ReadString(entry + L"_dis", L"", kKeyDisplayTextCapacity);
        key.DeviceCode = keys.ReadInteger(entry + L"_code", 0);
        map.emplace(static_cast<std::uint32_t>(keys.ReadInteger(entry + L"_keyVal", 0)), std::move(key));
    }
    return map;
}
