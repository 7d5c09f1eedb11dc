#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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

    // Drops the system's cached copy, so that a file replaced behind its back is read afresh.
    void Flush() const;

    bool IsUtf16() const;

private:
    bool ConvertToUtf16() const;

    std::wstring path_;
};

// True when every character of `text` survives a round trip through the ANSI code page.
bool FitsAnsiCodePage(const std::wstring& text);

// User text made fit for WriteString: line breaks (a pasted text may hold some) are dropped.
std::wstring WithoutLineBreaks(std::wstring_view text);

// Integers are read as texts of at most this capacity.
constexpr std::size_t kIniIntegerCapacity = 64;

// Decimal with an optional sign, or hexadecimal with "0x"; stops at the first other character.
int ParseIniInteger(std::wstring_view text);

// Runs `writes` on a copy beside the file at `path` (a new file when there is none) and puts the
// copy in its place (FileReplacement) only when all of them succeeded: a failure, or the program
// killed meanwhile, leaves the file as it was. Every edit of a user's INI file goes this way.
bool WriteIniAllOrNothing(const std::wstring& path, const std::function<bool(const IniFile&)>& writes);

// One value stored the same way: the file keeps its old content unless the value was written.
bool WriteIniStringAllOrNothing(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                                const std::wstring& value);
