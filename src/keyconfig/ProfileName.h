#pragma once

#include <string>

// True when `name` can name a profile file inside the profile folder: not empty, no path or
// stream separators, wildcards or control characters, not "." or "..", and not a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9 in any case, with or without an extension).
bool IsValidProfileName(const std::wstring& name);
