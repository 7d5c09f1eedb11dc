// Simulated translation library: answers with the English text, or with its translation from
// Translation.ini beside the DLL. The file is read on every call so it can be edited while a
// program runs. Keys are matched exactly, letter case included ("On" and "ON" are different
// texts), which is why the file is parsed here rather than through the private-profile functions.

#include "CallLog.h"
#include "FileIo.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Translation.ini as text: UTF-16 with its byte-order mark, else UTF-8 (or the ANSI code page).
std::wstring TranslationFileText()
{
    const auto bytes = sim::ReadWholeFile(sim::ModuleFolder() + L"Translation.ini");
    if (!bytes || bytes->empty()) {
        return {};
    }
    const BYTE* data = bytes->data();
    const std::size_t size = bytes->size();
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        std::wstring text((size - 2) / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), data + 2, text.size() * sizeof(wchar_t));
        return text;
    }
    std::string_view utf8(reinterpret_cast<const char*>(data), size);
    if (utf8.size() >= 3 && utf8.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8.remove_prefix(3);
    }
    return sim::FromUtf8OrAnsi(utf8);
}

// Position of the first '=' that no backslash escapes.
std::size_t SeparatorOf(std::wstring_view line)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == L'\\') {
            ++i;
        } else if (line[i] == L'=') {
            return i;
        }
    }
    return std::wstring_view::npos;
}

// A key or value: blanks around it are dropped unless it is in double quotes; \n, \t, \\ and \=
// stand for a line break, a tab, a backslash and an equals sign.
std::wstring Field(std::wstring_view raw)
{
    std::wstring trimmed = sim::Trim(raw);
    std::wstring_view text = trimmed;
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        text = text.substr(1, text.size() - 2);
    }
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size()) {
            const wchar_t next = text[i + 1];
            const wchar_t* replacement = next == L'n'    ? L"\n"
                                         : next == L't'  ? L"\t"
                                         : next == L'\\' ? L"\\"
                                         : next == L'='  ? L"="
                                                         : nullptr;
            if (replacement != nullptr) {
                result += replacement;
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

bool SameSection(std::wstring_view a, std::wstring_view b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The value of the first entry of `section` whose key is exactly `key`.
std::optional<std::wstring> Lookup(const std::wstring& file, std::wstring_view section, std::wstring_view key)
{
    bool inSection = false;
    std::size_t start = 0;
    while (start < file.size()) {
        std::size_t end = file.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = file.size();
        }
        std::wstring_view line(file.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == L'\r') {
            line.remove_suffix(1);
        }
        const std::wstring trimmed = sim::Trim(line);
        if (trimmed.empty() || trimmed[0] == L';' || trimmed[0] == L'#') {
            continue;
        }
        if (trimmed.front() == L'[' && trimmed.back() == L']') {
            inSection = SameSection(std::wstring_view(trimmed).substr(1, trimmed.size() - 2), section);
            continue;
        }
        const std::size_t separator = SeparatorOf(line);
        if (inSection && separator != std::wstring_view::npos && Field(line.substr(0, separator)) == key) {
            return Field(line.substr(separator + 1));
        }
    }
    return std::nullopt;
}

// Copies at most capacity - 1 characters and a NUL; returns the whole text's length.
DWORD CopyOut(const std::wstring& text, wchar_t* buffer, DWORD capacity)
{
    if (buffer != nullptr && capacity > 0) {
        const std::size_t copied = std::min<std::size_t>(text.size(), capacity - 1);
        std::memcpy(buffer, text.data(), copied * sizeof(wchar_t));
        buffer[copied] = L'\0';
    }
    return static_cast<DWORD>(text.size());
}

}  // namespace

extern "C" {

// The translation's length; a result of capacity - 1 or more tells the caller to grow the buffer.
DWORD WINAPI VnTranslateStr(const wchar_t* source, wchar_t* buffer, DWORD capacity)
{
    try {
        sim::CallLine("VnTranslateStr").Text(source).Buffer(buffer).Number(capacity).Write();
        const std::wstring english = source != nullptr ? source : L"";
        const auto translation = Lookup(TranslationFileText(), L"Text", english);
        return CopyOut(translation ? *translation : english, buffer, capacity);
    } catch (...) {
        return CopyOut(std::wstring(), buffer, capacity);
    }
}

DWORD WINAPI VnGetLangName(wchar_t* buffer, DWORD capacity)
{
    try {
        sim::CallLine("VnGetLangName").Buffer(buffer).Number(capacity).Write();
        const auto name = Lookup(TranslationFileText(), L"Language", L"Name");
        return CopyOut(name && !name->empty() ? *name : L"English", buffer, capacity);
    } catch (...) {
        return CopyOut(std::wstring(), buffer, capacity);
    }
}

}  // extern "C"
