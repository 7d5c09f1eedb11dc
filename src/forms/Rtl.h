#pragma once

// Small string and file helpers in the shape the rest of the program expects.

#include <cstdint>
#include <optional>
#include <string>

namespace forms {

std::string WideToUtf8(const std::wstring& text);
std::wstring Utf8ToWide(const std::string& text);
// The ANSI code page forms, for the outside libraries that take narrow strings.
std::string WideToAnsi(const std::wstring& text);
std::wstring AnsiToWide(const std::string& text);

// The folder part of a path including its trailing separator ("C:\a\b.txt" -> "C:\a\"); "" when there is none.
std::wstring ExtractFilePath(const std::wstring& path);
// The part after the last separator.
std::wstring ExtractFileName(const std::wstring& path);
// The extension with its dot (".ini"), "" when the name has none.
std::wstring ExtractFileExt(const std::wstring& path);
// True for an existing file; false for folders and missing paths.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// Full path of the running executable.
std::wstring ModuleFileName();

std::wstring IntToStr(long long value);
// Upper-case hexadecimal, at least `digits` wide.
std::wstring IntToHex(unsigned long long value, int digits);
// Decimal with optional blanks before and a sign, or hexadecimal with "$" / "0x"; nothing may follow.
std::optional<int> TryStrToInt(const std::wstring& text);
// Raises EConvertError "'<text>' is not a valid integer value".
int StrToInt(const std::wstring& text);
int StrToIntDef(const std::wstring& text, int fallback);

// Trim removes characters up to and including U+0020 (blanks and control characters) at both ends.
std::wstring Trim(const std::wstring& text);
std::wstring TrimLeft(const std::wstring& text);
std::wstring TrimRight(const std::wstring& text);

// printf-style formatting into a wide string (%d, %x, %s with wide arguments, %c ...).
std::wstring Format(const wchar_t* format, ...);

}  // namespace forms
