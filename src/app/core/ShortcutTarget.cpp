#include "ShortcutTarget.h"

#include "FunData.h"

namespace {

std::size_t LastSeparator(const std::wstring& path)
{
    return path.find_last_of(L"\\/");
}

} // namespace

std::wstring ExtractTargetName(const std::wstring& path)
{
    const std::size_t a = LastSeparator(path);
    if (a == std::wstring::npos)
        return {};
    const std::size_t b = path.find_last_of(L"./");
    if (b != std::wstring::npos && b > a)
        return path.substr(a + 1, b - a - 1);
    return path.substr(a + 1);
}

std::wstring ExtractTargetFolder(const std::wstring& path)
{
    const std::size_t a = LastSeparator(path);
    return a == std::wstring::npos ? std::wstring() : path.substr(0, a + 1);
}

bool IsRefusedTarget(const std::wstring& path)
{
    return ExtractTargetName(path).empty() || path.size() >= kFieldCapacity;
}
