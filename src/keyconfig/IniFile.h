#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IniSection;

// One INI file, read and written through the Win32 private-profile functions.
//
// Writes keep texts intact across a later read: a value that the reader would trim or unquote is
// stored inside one extra pair of double quotes, and a value that the ANSI code page cannot hold
// first turns an ANSI file into a UTF-16LE one (same sections, keys and values), because the
// private-profile writer keeps the encoding it finds. Files that need neither stay as the plain
// private-profile writer leaves them, so older files and other readers are unaffected.
class IniFile {
public:
    explicit IniFile(std::wstring path);

    const std::wstring& Path() const { return path_; }

    // At most capacity - 1 characters, like the reader's own buffer; `def` when the key is absent.
    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                            std::size_t capacity) const;
    // Decimal with an optional sign, or hexadecimal with "0x"; `def` when the key is absent.
    int ReadInteger(const std::wstring& section, const std::wstring& key, int def) const;

    // True when the value was stored so that ReadString gives it back unchanged. Refuses, writing
    // nothing, a line break or NUL in any of the three and a "]" in the section: each would end
    // the line early or start a section of its own.
    bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    bool DeleteSection(const std::wstring& section) const;

    // The whole section in one read; empty when the file or the section is missing.
    IniSection ReadSection(const std::wstring& section) const;

    // Drops the system's cached copy, so that a file replaced behind its back is read afresh.
    void Flush() const;

    bool IsUtf16() const;

private:
    bool ConvertToUtf16() const;

    std::wstring path_;
};

// One section of an INI file, read at once and then looked up in memory. Its readers answer as
// IniFile's do: blanks around keys and values and one pair of enclosing quotes are removed, keys
// match without regard to letter case, and the first of repeated keys counts.
class IniSection {
public:
    using Entry = std::pair<std::wstring, std::wstring>;

    IniSection() = default;
    explicit IniSection(std::vector<Entry> entries);

    // Every key with its value, in file order.
    const std::vector<Entry>& Entries() const { return entries_; }

    std::wstring ReadString(std::wstring_view key, const std::wstring& def, std::size_t capacity) const;
    int ReadInteger(std::wstring_view key, int def) const;

private:
    const std::wstring* Find(std::wstring_view key) const;

    std::vector<Entry> entries_;
    // Lower-case key -> index of its first entry.
    std::map<std::wstring, std::size_t> index_;
};

// True when every character of `text` survives a round trip through the ANSI code page.
bool FitsAnsiCodePage(const std::wstring& text);

// User text made fit for WriteString: line breaks (a pasted text may hold some) are dropped.
std::wstring WithoutLineBreaks(std::wstring_view text);

// Integers are read as texts of at most this capacity.
constexpr std::size_t kIniIntegerCapacity = 64;

// Decimal with an optional sign, or hexadecimal with "0x"; stops at the first other character.
int ParseIniInteger(std::wstring_view text);
