#pragma once

#include <string>

// The folder of the running executable, with its trailing backslash. Every file, library and
// picture path of the program is built on it.
const std::wstring& ProgramFolder();

// Points the program at another folder (the windowless driver and tests run on scratch folders).
void SetProgramFolder(std::wstring folder);

// The folder of the running executable, with its trailing backslash, wherever the program folder
// was pointed.
std::wstring ExecutableFolder();

// The folder of the module that contains `address` (an EXE or a DLL), with its trailing backslash.
std::wstring ModuleFolder(const void* address);
