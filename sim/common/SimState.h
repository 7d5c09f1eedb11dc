#pragma once

#include <windows.h>

#include <string>

// Where a stand-in keeps its state. Every stand-in links this library, so "this module" is the
// DLL or program the code runs in.
namespace sim {

// Full path of the module this code is linked into.
std::wstring ModulePath();
// Folder of that module, with a trailing backslash.
std::wstring ModuleFolder();
// File name of that module without folder and extension, e.g. "Biosgateex".
std::wstring ModuleBaseName();
// File name of that module with its extension, e.g. "witness.exe".
std::wstring ModuleFileName();

// %TASTRO_SIM_DIR% when set, else "SimState\" beside the module; created when missing.
// Always ends in a backslash.
std::wstring StateFolder();

// Creates a folder and any missing parents; true when it exists afterwards.
bool EnsureFolder(const std::wstring& folder);

}  // namespace sim
