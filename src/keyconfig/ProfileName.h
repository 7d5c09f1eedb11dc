#pragma once

#include <cstddef>
#include <string>

// The longest name whose file name ("<name>.mck") a file system can hold.
constexpr std::size_t kMaxProfileNameLength = 251;

// True when `name` can name a profile file inside the profile folder that the profile listing
// shows under the same name: not empty, not longer than kMaxProfileNameLength, not beginning with
// "." (which also rules out "." and ".."), not only blanks, no path or stream separators, wildcards or control characters, and not a
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9 and COM, LPT with a superscript 1-3, in any
// case, with or without an extension).
bool IsValidProfileName(const std::wstring& name);
