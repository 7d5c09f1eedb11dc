#include "DelayField.h"

#include "IniFile.h"
#include "KeyAssignmentStore.h"

#include <algorithm>

std::wstring StoredDelayText(const std::wstring& text)
{
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    if (!digits)
        return kMinimumDelayText;
    // Leading zeros do not count; the field holds at most four digits, so the value fits.
    long value = 0;
    for (const wchar_t c : text)
        value = std::min(value * 10 + (c - L'0'), 100000L);
    return value < 10 ? std::wstring(kMinimumDelayText) : text;
}

std::wstring ReadStoredDelay()
{
    return IniFile(SettingIniPath()).ReadString(L"Info", L"Time", kDefaultDelayText, kDelayDigits + 1);
}

bool WriteStoredDelay(const std::wstring& text)
{
    return WriteIniStringAllOrNothing(SettingIniPath(), L"Info", L"Time", text);
}
