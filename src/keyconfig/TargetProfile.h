#pragma once

// What the main window does on a load request: copies the target profile named in
// TargetProfile.ini over fun.cfg and reads all ten keys afresh. A missing, empty or invalid name
// copies nothing; the keys are reloaded all the same. True when some key is assigned. The caller
// redraws the keys and rebuilds and writes the controller table.
bool ApplyTargetProfile();
