#include "IniSnapshot.h"

#include "IniFile.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace {

// Larger files are not configuration files; reading them would only cost memory.
constexpr LONGLONG kMaxFileSize = 64 * 1024 * 1024;

bool IsBlank(wchar_t c)
{
    return std::iswspace(c) || c == 0x1A;
}

std::wstring_view Trimmed(std::wstring_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Names and values end at a NUL, as the reader's strings do.
std::wstring UpToNul(std::wstring_view text)
{
    return std::wstring(text.substr(0, text.find(L'\0')));
}

std::wstring Folded(std::wstring name)
{
    if (!name.empty())
        CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

// The reader's copy of a value: one pair of matching enclosing quotes goes, and the copy is cut
// to capacity - 1 characters; a cut that drops the closing quote still takes a character more.
std::wstring CopyValue(std::wstring_view value, std::size_t capacity)
{
    if (capacity == 0)
        return {};
    const bool quoted = value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                        value.back() == value.front();
    if (quoted)
        value.remove_prefix(1);
    std::wstring copy(value.substr(0, capacity - 1));
    if (quoted && capacity >= value.size() && !copy.empty())
        copy.pop_back();
    return copy;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path)
{
    ScopedFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxFileSize)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::wstring text(bytes.size() / 2, L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

} // namespace

std::wstring DecodeCodePage(unsigned codePage, std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), n);
    return text;
}

std::optional<std::wstring> ReadIniText(const std::wstring& path)
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    const std::string_view b(*bytes);
    if (b.substr(0, 3) == "\xEF\xBB\xBF")
        return DecodeCodePage(CP_UTF8, b.substr(3));
    if (b.substr(0, 2) == "\xFF\xFE")
        return DecodeUtf16(b.substr(2), false);
    if (b.substr(0, 2) == "\xFE\xFF")
        return DecodeUtf16(b.substr(2), true);
    return DecodeCodePage(CP_ACP, b);
}

IniSnapshot::IniSnapshot(const std::wstring& path)
{
    if (const auto text = ReadIniText(path))
        Parse(*text);
}

void IniSnapshot::Parse(std::wstring_view text)
{
    // Keys before the first section header belong to a section without a name.
    Section* section = &sections_[std::wstring()];
    while (!text.empty()) {
        // A line ends at the next line feed; where none follows, at the next carriage return.
        std::size_t end = text.find(L'\n');
        if (end == std::wstring_view::npos)
            end = text.find(L'\r');
        end = end == std::wstring_view::npos ? text.size() : end + 1;
        const std::wstring_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(end);
        if (line.empty())
            continue;

        const std::size_t close = line.find(L']');
        if (line.front() == L'[' && close != std::wstring_view::npos) {
            // A later section of the same name is never read.
            auto [it, added] = sections_.try_emplace(Folded(UpToNul(Trimmed(line.substr(1, close - 1)))));
            section = added ? &it->second : nullptr;
            continue;
        }
        if (section == nullptr)
            continue;

        const std::size_t equals = line.find(L'=');
        const std::wstring name = UpToNul(Trimmed(line.substr(0, equals)));
        std::optional<std::wstring> value;
        if (equals != std::wstring_view::npos)
            value = UpToNul(Trimmed(line.substr(equals + 1)));
        section->try_emplace(Folded(name), std::move(value));
    }
}

const IniSnapshot::Section* IniSnapshot::FindSection(const std::wstring& section) const
{
    const auto s = sections_.find(Folded(std::wstring(Trimmed(section))));
    return s == sections_.end() ? nullptr : &s->second;
}

const std::optional<std::wstring>* IniSnapshot::Find(const std::wstring& section, const std::wstring& key) const
{
    const Section* s = FindSection(section);
    if (s == nullptr)
        return nullptr;
    const auto k = s->find(Folded(std::wstring(Trimmed(key))));
    return k == s->end() ? nullptr : &k->second;
}

std::wstring IniSnapshot::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& def,
                                     std::size_t capacity) const
{
    const std::optional<std::wstring>* value = Find(section, key);
    if (value == nullptr || !value->has_value())
        return capacity == 0 ? std::wstring() : def.substr(0, capacity - 1);
    return CopyValue(**value, capacity);
}

int IniSnapshot::ReadInteger(const std::wstring& section, const std::wstring& key, int def) const
{
    const std::wstring text = ReadString(section, key, std::wstring(), kIniIntegerCapacity);
    return text.empty() ? def : ParseIniInteger(text);
}

std::vector<int> IniSnapshot::KeyNumbers(const std::wstring& section, int count) const
{
    std::vector<int> numbers;
    const Section* s = FindSection(section);
    if (s == nullptr)
        return numbers;
    for (const auto& [name, value] : *s) {
        // Written as the loaders write a number: decimal without leading zeros.
        long long n = 0;
        std::size_t i = 0;
        for (; i < name.size() && name[i] >= L'0' && name[i] <= L'9' && n <= count; ++i)
            n = n * 10 + (name[i] - L'0');
        if (i > 0 && i < name.size() && name[i] == L'_' && name[0] != L'0' && n <= count)
            numbers.push_back(static_cast<int>(n));
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}
