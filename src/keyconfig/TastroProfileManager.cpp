#include "TastroProfileManager.h"

#include "FileReplacement.h"
#include "IniFile.h"
#include "ProfileName.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <cwctype>

namespace {

bool EndsWithExtension(const std::wstring& name)
{
    // The "*.mck" pattern also matches long names whose short 8.3 name ends in ".MCK".
    const std::wstring_view extension(kProfileExtension);
    if (name.size() < extension.size())
        return false;
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::towlower(name[name.size() - extension.size() + i]) != extension[i])
            return false;
    return true;
}

} // namespace

TastroProfileManager::TastroProfileManager(std::wstring base)
    : base_(std::move(base)), folder_(base_ + kProfileFolderName + L"\\")
{
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW(folder_.c_str(), nullptr);
}

std::vector<std::wstring> TastroProfileManager::GetProfileNames() const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const std::wstring pattern = folder_ + L"*" + kProfileExtension;
    ScopedFind find(FindFirstFileW(pattern.c_str(), &entry));
    if (!find.Valid())
        return names;
    do {
        const std::wstring file = entry.cFileName;
        if (file.empty() || file.front() == L'.' || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            !EndsWithExtension(file))
            continue;
        names.push_back(file.substr(0, file.rfind(L'.')));
    } while (FindNextFileW(find.Get(), &entry));
    return names;
}

FileResult TastroProfileManager::SaveProfile(const std::wstring& name) const
{
    if (!IsValidProfileName(name))
        return {ERROR_INVALID_NAME};
    return ReplaceWithCopyOf(ProfilePath(base_, name), base_ + L"fun.cfg");
}

FileResult TastroProfileManager::DeleteProfile(const std::wstring& name) const
{
    // Listed names are always valid; anything else could reach outside the folder.
    if (!IsValidProfileName(name))
        return {ERROR_INVALID_NAME};
    return DeleteUserFile(ProfilePath(base_, name));
}

bool TastroProfileManager::SetTargetProfile(const std::wstring& name) const
{
    return WriteIniStringAllOrNothing(TargetProfilePath(base_), L"TargetProfile", L"NAME", name);
}

std::wstring TargetProfilePath(const std::wstring& base)
{
    return base + kProfileFolderName + L"\\TargetProfile.ini";
}

std::wstring ProfilePath(const std::wstring& base, const std::wstring& name)
{
    return base + kProfileFolderName + L"\\" + name + kProfileExtension;
}
