#pragma once

#include "FileResult.h"

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
    // Copies fun.cfg over "<name>.mck"; ERROR_INVALID_NAME for an invalid name.
    FileResult SaveProfile(const std::wstring& name) const;
    // Deletes "<name>.mck"; ERROR_INVALID_NAME for an invalid name, ERROR_FILE_EXISTS when the
    // delete reported success but the file is still there.
    FileResult DeleteProfile(const std::wstring& name) const;
    // Stores `name` as the profile that the next load request applies; false when it could not.
    bool SetTargetProfile(const std::wstring& name) const;

private:
    std::wstring base_;
    std::wstring folder_;
};

// Path of TargetProfile.ini for the program folder `base`.
std::wstring TargetProfilePath(const std::wstring& base);

// Path of the file of profile `name` for the program folder `base`.
std::wstring ProfilePath(const std::wstring& base, const std::wstring& name);
