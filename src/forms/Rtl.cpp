#include "forms/Rtl.h"

#include <windows.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cwchar>
#include <vector>

#include "forms/Exceptions.h"

namespace forms {

namespace {

std::string ToNarrow(UINT codePage, const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring ToWide(UINT codePage, const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/' || c == L':';
}

size_t NameStart(const std::wstring& path)
{
    size_t i = path.size();
    while (i > 0 && !IsSeparator(path[i - 1]))
        --i;
    return i;
}

int DigitValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return 99;
}

}  // namespace

std::string WideToUtf8(const std::wstring& text) { return ToNarrow(CP_UTF8, text); }
std::wstring Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }
std::string WideToAnsi(const std::wstring& text) { return ToNarrow(CP_ACP, text); }
std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

std::wstring ExtractFilePath(const std::wstring& path)
{
    return path.substr(0, NameStart(path));
}

std::wstring ExtractFileName(const std::wstring& path)
{
    return path.substr(NameStart(path));
}

std::wstring ExtractFileExt(const std::wstring& path)
{
    const std::wstring name = ExtractFileName(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ModuleFileName()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring IntToStr(long long value)
{
    return std::to_wstring(value);
}

std::wstring IntToHex(unsigned long long value, int digits)
{
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%0*llX", digits, value);
    return buffer;
}

std::optional<int> TryStrToInt(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == L' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base)
            return std::nullopt;
        value = value * base + digit;
        // Hexadecimal may spell the full 32-bit pattern ($FFFFFFFF = -1); decimal must fit.
        const long long limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 2147483648LL : 2147483647LL);
        if (value > limit)
            return std::nullopt;
    }
    if (base == 16)
        return static_cast<int>(static_cast<std::uint32_t>(negative ? -value : value));
    return static_cast<int>(negative ? -value : value);
}

int StrToInt(const std::wstring& text)
{
    if (const auto value = TryStrToInt(text))
        return *value;
    throw EConvertError(L"'" + text + L"' is not a valid integer value");
}

int StrToIntDef(const std::wstring& text, int fallback)
{
    return TryStrToInt(text).value_or(fallback);
}

std::wstring TrimLeft(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && text[i] <= L' ')
        ++i;
    return text.substr(i);
}

std::wstring TrimRight(const std::wstring& text)
{
    size_t n = text.size();
    while (n > 0 && text[n - 1] <= L' ')
        --n;
    return text.substr(0, n);
}

std::wstring Trim(const std::wstring& text)
{
    return TrimRight(TrimLeft(text));
}

std::wstring Format(const wchar_t* format, ...)
{
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (written >= 0 && static_cast<size_t>(written) < buffer.size())
            return std::wstring(buffer.data(), static_cast<size_t>(written));
        if (buffer.size() > (1u << 24))
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace forms
