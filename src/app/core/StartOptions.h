#pragma once

#include <string>
#include <vector>

// The program starts with only its tray icon when its first argument is exactly "-h".
bool StartsHidden(const std::vector<std::wstring>& arguments);

// The arguments of this process's command line, without the program name.
std::vector<std::wstring> CommandLineArguments();
