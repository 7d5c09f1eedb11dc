#pragma once

#include <string>
#include <vector>

// Name of the folder, inside the program folder, that holds the profiles and TargetProfile.ini.
// One spelling everywhere, so that case-sensitive file systems see one folder.
inline constexpr wchar_t kProfileFolderName[] = L"Profile";
inline constexpr wchar_t kProfileExtension[] = L".mck";

// The saved copies of fun.cfg ("<name>.mck") in the profile folder, and the name of the one to
// apply next.
class TastroProfileManager {
public:
    // `base` is the program folder with its trailing backslash; the profile folder is created.
    explicit TastroProfileManager(std::wstring base);

    const std::wstring& ProfileFolder() const { return folder_; }

    // Profile names in directory order: files ending in ".mck", without that extension.
    std::vector<std::wstring> GetProfileNames() const;
    // Copies fun.cfg over "<name>.mck"; false for an invalid name or a failed copy.
    bool SaveProfile(const std::wstring& name) const;
    void DeleteProfile(const std::wstring& name) const;
    // Stores `name` as the profile that the next load request applies.
    void SetTargetProfile(const std::wstring& name) const;

private:
    std::wstring ProfilePath(const std::wstring& name) const;

    std::wstring base_;
    std::wstring folder_;
};

// Path of TargetProfile.ini for the program folder `base`.
std::wstring TargetProfilePath(const std::wstring& base);
