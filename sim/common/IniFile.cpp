#include "IniFile.h"

#include "Text.h"

#include <cwchar>
#include <vector>

namespace sim {

std::wstring IniFile::Get(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) const
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, path_.c_str());
        // A value that filled the buffer may have been cut: read again with more room.
        if (length + 1 < size || buffer.size() >= 0x100000) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 4);
    }
}

long long IniFile::GetNumber(const wchar_t* section, const wchar_t* key, long long fallback) const
{
    const std::wstring text = Trim(Get(section, key));
    if (text.empty()) {
        return fallback;
    }
    const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    wchar_t* end = nullptr;
    const long long value = std::wcstoll(text.c_str(), &end, hex ? 16 : 10);
    return end != nullptr && *end == L'\0' ? value : fallback;
}

bool IniFile::Set(const wchar_t* section, const wchar_t* key, const std::wstring& value) const
{
    return WritePrivateProfileStringW(section, key, value.c_str(), path_.c_str()) != FALSE;
}

bool IniFile::Remove(const wchar_t* section, const wchar_t* key) const
{
    return WritePrivateProfileStringW(section, key, nullptr, path_.c_str()) != FALSE;
}

}  // namespace sim
