#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace sim {

// A state file read and written with the private-profile functions, so that people and
// test scripts can edit it by hand.
class IniFile {
public:
    explicit IniFile(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& Path() const { return path_; }

    std::wstring Get(const wchar_t* section, const wchar_t* key, const wchar_t* fallback = L"") const;
    // The value as a decimal (or 0x-prefixed hex) number; `fallback` when absent or not a number.
    long long GetNumber(const wchar_t* section, const wchar_t* key, long long fallback) const;

    bool Set(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
    bool Remove(const wchar_t* section, const wchar_t* key) const;

private:
    std::wstring path_;
};

}  // namespace sim
