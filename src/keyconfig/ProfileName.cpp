#include "ProfileName.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace {

bool IsReservedDeviceName(std::wstring base)
{
    // The file system ignores trailing blanks here: "CON " is still the console.
    while (!base.empty() && base.back() == L' ')
        base.pop_back();
    for (wchar_t& c : base)
        c = static_cast<wchar_t>(std::towupper(c));
    if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL")
        return true;
    // The superscript digits one to three name ports as well.
    constexpr std::wstring_view kPortDigits = L"123456789\x00B9\x00B2\x00B3";
    return base.size() == 4 && (base.compare(0, 3, L"COM") == 0 || base.compare(0, 3, L"LPT") == 0) &&
           kPortDigits.find(base[3]) != std::wstring_view::npos;
}

} // namespace

bool IsValidProfileName(const std::wstring& name)
{
    // The listing skips files whose name begins with "."; a name of blanks lists as an empty line.
    const bool blank = std::all_of(name.begin(), name.end(), [](wchar_t c) { return std::iswspace(c) != 0; });
    if (name.empty() || name.size() > kMaxProfileNameLength || name.front() == L'.' || blank)
        return false;
    for (const wchar_t c : name)
        if (c < 0x20 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    return !IsReservedDeviceName(name.substr(0, name.find(L'.')));
}
