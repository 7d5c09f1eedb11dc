#include "Text.h"

#include <cstdint>
#include <cstdio>
#include <cwchar>

namespace sim {

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), needed, nullptr, nullptr);
    }
    return result;
}

std::wstring FromUtf8OrAnsi(std::string_view bytes)
{
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    UINT codePage = CP_UTF8;
    int needed = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (needed <= 0) {
        codePage = CP_ACP;
        needed = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    }
    std::wstring result(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) {
        MultiByteToWideChar(codePage, 0, bytes.data(), size, result.data(), needed);
    }
    return result;
}

std::string HexItem(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

std::wstring HexItemName(DWORD value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%08lX", static_cast<unsigned long>(value));
    return text;
}

std::string HexHandle(const void* handle)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%08llX",
                  static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(handle)));
    return text;
}

HANDLE ParseHandle(const std::wstring& text)
{
    const std::wstring trimmed = Trim(text);
    if (trimmed.empty()) {
        return nullptr;
    }
    wchar_t* end = nullptr;
    const unsigned long long value = std::wcstoull(trimmed.c_str(), &end, 0);
    if (end == nullptr || *end != L'\0') {
        return nullptr;
    }
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(value));
}

std::string Quote(const wchar_t* text)
{
    if (text == nullptr) {
        return "null";
    }
    const std::string utf8 = ToUtf8(text);
    std::string result = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '\\': result += "\\\\"; break;
        case '"': result += "\\\""; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\t': result += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
                result += escaped;
            } else {
                result += c;
            }
        }
    }
    result += '"';
    return result;
}

std::wstring Trim(std::wstring_view text)
{
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(L" \t");
    return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace sim
