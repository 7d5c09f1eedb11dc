#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file read from disk once and looked up in memory, with the private-profile reader's
// rules: the first section and the first key of a name count, names match in any letter case,
// blanks around names and values go, and a value is unquoted and cut as IniFile::ReadString
// does. Loads that read many keys use it: every private-profile call reads the file again.
class IniSnapshot {
public:
    // A missing or unreadable file reads as an empty one.
    explicit IniSnapshot(const std::wstring& path);

    // As IniFile::ReadString and IniFile::ReadInteger.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                            std::size_t capacity) const;
    int ReadInteger(const std::wstring& section, const std::wstring& key, int def) const;

    // The numbers from 1 to `count` that some key name of `section` begins with, followed by "_"
    // ("12_dis"), in ascending order: the entries of a numbered list, found without trying each.
    std::vector<int> KeyNumbers(const std::wstring& section, int count) const;

private:
    // Lower-case key name -> value; a line without "=" has none.
    using Section = std::map<std::wstring, std::optional<std::wstring>>;

    void Parse(std::wstring_view text);
    const Section* FindSection(const std::wstring& section) const;
    const std::optional<std::wstring>* Find(const std::wstring& section, const std::wstring& key) const;

    // Lower-case name -> section.
    std::map<std::wstring, Section> sections_;
};

// The text of an INI file, decoded as the private-profile reader decodes it (UTF-16 with either
// byte-order mark, UTF-8 with its mark, else the ANSI code page): empty for a missing file,
// nothing for a file that exists but cannot be read.
std::optional<std::wstring> ReadIniText(const std::wstring& path);

// `bytes` in the given Windows code page.
std::wstring DecodeCodePage(unsigned codePage, std::string_view bytes);
