#pragma once

#include "FileResult.h"

struct AppliedProfile {
    // The copy of the profile over fun.cfg; ERROR_INVALID_NAME when the name is missing or invalid.
    FileResult copy;
    // Some key is assigned after the reload.
    bool anyKeyAssigned = false;
};

// What the main window does on a load request: copies the target profile named in
// TargetProfile.ini over fun.cfg and reads all ten keys afresh. A missing, empty or invalid name
// copies nothing; the keys are reloaded all the same, also after a failed copy. The caller
// redraws the keys and rebuilds and writes the controller table.
AppliedProfile ApplyTargetProfile();
