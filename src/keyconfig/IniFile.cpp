#include "IniFile.h"

#include "FileReplacement.h"
#include "IniSnapshot.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <string_view>
#include <vector>

namespace {

constexpr wchar_t kByteOrderMark = 0xFEFF;

// Characters the private-profile reader may strip from either end of a value.
bool IsTrimmed(wchar_t c)
{
    return c <= L' ' || c == 0x1A || c == 0x00A0 || c == kByteOrderMark || std::iswspace(c);
}

bool IsQuote(wchar_t c)
{
    return c == L'"' || c == L'\'';
}

// The reader trims white space and removes one pair of enclosing matching quotes; a value it
// would change goes inside one more pair, which is all the reader then removes.
std::wstring EncodeValue(const std::wstring& value)
{
    if (value.empty())
        return value;
    const bool trimmed = IsTrimmed(value.front()) || IsTrimmed(value.back());
    const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back();
    return trimmed || quoted ? L"\"" + value + L"\"" : value;
}

} // namespace

int ParseIniInteger(std::wstring_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsTrimmed(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        negative = text[i++] == L'-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    // Unsigned arithmetic wraps the way 32-bit code words written as "0x%x" need.
    std::uint32_t value = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            break;
        value = value * base + digit;
    }
    return static_cast<int>(negative ? 0u - value : value);
}

std::wstring WithoutLineBreaks(std::wstring_view text)
{
    std::wstring kept;
    for (const wchar_t c : text)
        if (c != L'\r' && c != L'\n')
            kept += c;
    return kept;
}

bool FitsAnsiCodePage(const std::wstring& text)
{
    if (text.empty() || GetACP() == CP_UTF8)
        return true;
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    std::vector<char> ansi(static_cast<std::size_t>(n));
    usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), n, nullptr,
                            &usedDefault) != n ||
        usedDefault)
        return false;
    // Some code pages map several characters to one byte: only an exact way back counts.
    return DecodeCodePage(CP_ACP, std::string_view(ansi.data(), ansi.size())) == text;
}

IniFile::IniFile(std::wstring path) : path_(std::move(path)) {}

std::wstring IniFile::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                 std::size_t capacity) const
{
    if (capacity == 0)
        return {};
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                             static_cast<DWORD>(capacity), path_.c_str());
    return std::wstring(buffer.data(), std::min<std::size_t>(n, capacity - 1));
}

int IniFile::ReadInteger(const std::wstring& section, const std::wstring& key, int def) const
{
    // Parsed here rather than by GetPrivateProfileIntW, whose handling of signs and "0x" has
    // differed between system versions.
    constexpr wchar_t kAbsent[] = L"\x1\x2";
    const std::wstring text = ReadString(section, key, kAbsent, kIniIntegerCapacity);
    if (text == kAbsent || text.empty())
        return def;
    return ParseIniInteger(text);
}

bool IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const
{
    constexpr std::wstring_view kLineEnds(L"\r\n\0", 3);
    constexpr std::wstring_view kSectionEnds(L"]\r\n\0", 4);
    if (section.find_first_of(kSectionEnds) != std::wstring::npos ||
        key.find_first_of(kLineEnds) != std::wstring::npos || value.find_first_of(kLineEnds) != std::wstring::npos)
        return false;
    bool faithful = true;
    if (!(FitsAnsiCodePage(section) && FitsAnsiCodePage(key) && FitsAnsiCodePage(value)) && !IsUtf16())
        faithful = ConvertToUtf16();
    const std::wstring stored = EncodeValue(value);
    const bool written =
        WritePrivateProfileStringW(section.c_str(), key.c_str(), stored.c_str(), path_.c_str()) != FALSE;
    return written && faithful;
}

bool IniFile::DeleteSection(const std::wstring& section) const
{
    // No key and no data: the whole section goes.
    return WritePrivateProfileStructW(section.c_str(), nullptr, nullptr, 0, path_.c_str()) != FALSE;
}

void IniFile::Flush() const
{
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}

bool IniFile::IsUtf16() const
{
    ScopedFileHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return false;
    unsigned char mark[2] = {};
    DWORD read = 0;
    return ReadFile(file.Get(), mark, sizeof mark, &read, nullptr) && read == 2 && mark[0] == 0xFF && mark[1] == 0xFE;
}

bool IniFile::ConvertToUtf16() const
{
    // Locked before the read, so that no other writer's change is lost between read and move.
    FileReplacement replacement(path_);
    Flush();
    const std::optional<std::wstring> old = ReadIniText(path_);
    if (!old)
        return false;
    const std::wstring text = kByteOrderMark + *old;
    const bool ok = replacement.Write(text.data(), text.size() * sizeof(wchar_t)) && replacement.Commit();
    Flush();
    return ok;
}

bool WriteIniAllOrNothing(const std::wstring& path, const std::function<bool(const IniFile&)>& writes)
{
    FileReplacement replacement(path);
    const FileResult started = replacement.CopyFrom(path);
    const bool existed = started.error != ERROR_FILE_NOT_FOUND;
    if (!started && existed)
        return false;
    const IniFile copy(replacement.Copy());
    bool ok = writes(copy);
    copy.Flush();
    // Writes that leave a missing file missing (deleting from it) have nothing to put in place.
    if (ok && !existed && GetFileAttributesW(replacement.Copy().c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    ok = ok && replacement.Commit();
    // The system's cached copy of the old file must not answer the next read.
    IniFile(path).Flush();
    return ok;
}

bool WriteIniStringAllOrNothing(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                                const std::wstring& value)
{
    return WriteIniAllOrNothing(path, [&](const IniFile& file) { return file.WriteString(section, key, value); });
}
