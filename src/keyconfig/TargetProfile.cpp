#include "TargetProfile.h"

#include "FileReplacement.h"
#include "FunData.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "ProfileName.h"
#include "ProgramFolder.h"
#include "TastroProfileManager.h"

#include <windows.h>

AppliedProfile ApplyTargetProfile()
{
    AppliedProfile applied;
    const std::wstring name =
        IniFile(TargetProfilePath(ProgramFolder())).ReadString(L"TargetProfile", L"NAME", L"", kFieldCapacity);
    // The request may come from any program: a name must not lead outside the profile folder.
    if (IsValidProfileName(name)) {
        const IniFile funCfg(FunCfgPath());
        // The system's cached copy of fun.cfg must not outlive the replaced file.
        funCfg.Flush();
        applied.copy = ReplaceWithCopyOf(funCfg.Path(), ProfilePath(ProgramFolder(), name));
        funCfg.Flush();
    } else {
        applied.copy = {ERROR_INVALID_NAME};
    }
    for (int n = 1; n <= kFunKeyCount; ++n) {
        FunDataMap().erase(FunSection(n));
        ReloadFunData(n);
    }
    applied.anyKeyAssigned = AnyKeyAssigned();
    return applied;
}
