#pragma once

#include <string>

// A skin picture: the program folder, "resource\", the sub-folder and the file name.
std::wstring ResourcePath(const std::wstring& folder, const std::wstring& file);
