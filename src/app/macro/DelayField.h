#pragma once

#include <cstddef>
#include <string>

// The fixed macro delay in milliseconds, kept as key "Time" of Setting.ini section "Info".
constexpr std::size_t kDelayDigits = 4;
inline constexpr wchar_t kDefaultDelayText[] = L"100";
inline constexpr wchar_t kMinimumDelayText[] = L"10";

// The text the delay field keeps and stores: an empty text, a text that is no number and a
// number below 10 become "10"; anything else stays as typed.
std::wstring StoredDelayText(const std::wstring& text);

// The stored delay, at most four digits, or "100" when none is stored.
std::wstring ReadStoredDelay();

// True when the text was stored.
bool WriteStoredDelay(const std::wstring& text);
