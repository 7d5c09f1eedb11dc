#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sim {

std::string ToUtf8(std::wstring_view text);
// Decodes UTF-8; invalid input falls back to the ANSI code page.
std::wstring FromUtf8OrAnsi(std::string_view bytes);

// "0x" followed by eight upper-case hex digits.
std::string HexItem(DWORD value);
// Eight upper-case hex digits, no prefix: the file name of a controller item.
std::wstring HexItemName(DWORD value);
// "0x" followed by at least eight upper-case hex digits of the handle's value.
std::string HexHandle(const void* handle);
// The handle written by HexHandle (or any hex/decimal number); null for anything else.
HANDLE ParseHandle(const std::wstring& text);

// Text in double quotes, UTF-8, with \\ \" \n \r \t and \xNN for other control characters;
// a null pointer gives null.
std::string Quote(const wchar_t* text);

// Removes blanks and tabs at both ends.
std::wstring Trim(std::wstring_view text);

}  // namespace sim
