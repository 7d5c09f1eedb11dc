#include "KeySectionEntries.h"

#include "FunData.h"
#include "ResourcePath.h"

std::vector<SectionEntry> FunctionKeyEntries(const std::wstring& name, int functionId)
{
    const std::wstring id = std::to_wstring(functionId);
    return {{L"DisplayName", name},
            {L"IconFile", ResourcePath(L"Function\\ico", id + L".ico")},
            {L"1", id},
            {L"Type", std::to_wstring(FUN_TYPE_FUNCTION)},
            {L"Count", L"1"}};
}

std::vector<SectionEntry> ShortcutKeyEntries(const std::wstring& name, const std::wstring& path)
{
    return {{L"DisplayName", name}, {L"IconFile", path}, {L"1", path},   {L"2", L""},
            {L"3", L""},            {L"4", L""},         {L"5", L""},    {L"Type", std::to_wstring(FUN_TYPE_SHORTCUT)},
            {L"Count", L"1"}};
}

std::vector<SectionEntry> TypedTextKeyEntries(const std::wstring& name, const std::wstring& first,
                                              const std::wstring& second)
{
    std::vector<SectionEntry> entries;
    if (!second.empty())
        entries.push_back({L"2", second});
    const std::vector<SectionEntry> rest = {{L"DisplayName", name},
                                            {L"IconFile", L""},
                                            {L"1", first},
                                            {L"3", L""},
                                            {L"4", L""},
                                            {L"5", L""},
                                            {L"Type", std::to_wstring(FUN_TYPE_TEXT)},
                                            {L"Count", second.empty() ? L"1" : L"2"}};
    entries.insert(entries.end(), rest.begin(), rest.end());
    return entries;
}
