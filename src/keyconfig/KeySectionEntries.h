#pragma once

#include "KeyAssignmentStore.h"

#include <string>
#include <vector>

// The keys that the Function Keys, Shortcut and Smart Input pages write into their key's
// section of fun.cfg, in the order they write them (WriteKeySection). Keys an earlier assignment
// left and that a page does not name stay in the file.

// Type 4: DisplayName, IconFile (the function's icon), "1" the function id, Type, Count 1.
std::vector<SectionEntry> FunctionKeyEntries(const std::wstring& name, int functionId);

// Type 3: DisplayName, IconFile and "1" the path, "2".."5" emptied, Type, Count 1.
std::vector<SectionEntry> ShortcutKeyEntries(const std::wstring& name, const std::wstring& path);

// Type 2: "2" the second text first when there is one (Count 2), then DisplayName, IconFile
// emptied, "1" the first text, "3".."5" emptied, Type, Count.
std::vector<SectionEntry> TypedTextKeyEntries(const std::wstring& name, const std::wstring& first,
                                              const std::wstring& second);
