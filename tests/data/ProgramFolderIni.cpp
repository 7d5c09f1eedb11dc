#include "ProgramFolderIni.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::wstring> SplitNulList(const std::vector<wchar_t>& buffer, DWORD length)
{
    std::vector<std::wstring> items;
    for (DWORD start = 0; start < length;) {
        std::wstring item(&buffer[start]);
        start += static_cast<DWORD>(item.size()) + 1;
        if (!item.empty()) {
            items.push_back(item);
        }
    }
    return items;
}

} // namespace

const std::wstring ProgramFolderIni::Missing = L"<missing>";

ProgramFolderIni::ProgramFolderIni(const wchar_t* fileName)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    path_ = self;
    path_.erase(path_.find_last_of(L'\\') + 1);
    path_ += L"..\\dist\\";
    path_ += fileName;
}

bool ProgramFolderIni::Exists() const
{
    return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ProgramFolderIni::Text(const wchar_t* section, const std::wstring& key) const
{
    wchar_t value[260] = {};
    GetPrivateProfileStringW(section, key.c_str(), Missing.c_str(), value, 260, path_.c_str());
    return value;
}

int ProgramFolderIni::Int(const wchar_t* section, const std::wstring& key, int fallback) const
{
    return static_cast<int>(GetPrivateProfileIntW(section, key.c_str(), fallback, path_.c_str()));
}

std::vector<std::wstring> ProgramFolderIni::Keys(const wchar_t* section) const
{
    std::vector<wchar_t> buffer(65536);
    const DWORD length = GetPrivateProfileStringW(section, nullptr, L"", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path_.c_str());
    return SplitNulList(buffer, length);
}

std::vector<std::wstring> ProgramFolderIni::Sections() const
{
    std::vector<wchar_t> buffer(65536);
    const DWORD length = GetPrivateProfileSectionNamesW(
        buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
    return SplitNulList(buffer, length);
}

std::string ProgramFolderIni::Bytes() const
{
    std::ifstream file(std::filesystem::path(path_), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::wstring> NumberedKeys(int count, std::initializer_list<const wchar_t*> suffixes)
{
    std::vector<std::wstring> keys;
    for (int row = 1; row <= count; ++row) {
        for (const wchar_t* suffix : suffixes) {
            keys.push_back(std::to_wstring(row) + suffix);
        }
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<std::wstring> SortedKeys(const ProgramFolderIni& ini, const wchar_t* section)
{
    std::vector<std::wstring> keys = ini.Keys(section);
    std::sort(keys.begin(), keys.end());
    return keys;
}
