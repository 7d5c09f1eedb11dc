#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// One shipped INI file in the program folder, read the way the programs read it: through the
// Win32 private-profile functions.
class ProgramFolderIni {
public:
    explicit ProgramFolderIni(const wchar_t* fileName);

    static const std::wstring Missing;

    const std::wstring& Path() const { return path_; }
    bool Exists() const;
    std::wstring Text(const wchar_t* section, const std::wstring& key) const;
    int Int(const wchar_t* section, const std::wstring& key, int fallback) const;
    std::vector<std::wstring> Keys(const wchar_t* section) const;
    std::vector<std::wstring> Sections() const;
    std::string Bytes() const;

private:
    std::wstring path_;
};

// The key names "1<suffix>" .. "<count><suffix>" for every suffix, sorted.
std::vector<std::wstring> NumberedKeys(int count, std::initializer_list<const wchar_t*> suffixes);

// The keys of a section, sorted (duplicates kept, so that a repeated key shows).
std::vector<std::wstring> SortedKeys(const ProgramFolderIni& ini, const wchar_t* section);
