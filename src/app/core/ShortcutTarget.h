#pragma once

#include <string>

// The parts of a Shortcut target's path that the page shows, and the picks it refuses.

// The name between the last "\" or "/" and the last "." after it (the whole rest when there is
// none); empty for a path without a separator, a folder root or a name that starts with a dot.
std::wstring ExtractTargetName(const std::wstring& path);

// Everything up to and including the last "\" or "/"; empty when there is none.
std::wstring ExtractTargetFolder(const std::wstring& path);

// A pick without a name, or one too long for the key's record, which would then name another
// target.
bool IsRefusedTarget(const std::wstring& path);
