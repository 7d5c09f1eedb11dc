#pragma once

#include "FunData.h"
#include "EcBuffer.h"

#include <string>
#include <vector>

class ControllerPort;

// Paths of the configuration files in the program folder.
std::wstring FunCfgPath();
std::wstring KeyMapPath();
std::wstring SettingIniPath();

// Reads all ten keys from fun.cfg into FunDataMap and KeyMap.cfg into KeyCodeMap. True when some
// key is assigned, which is when the main scene enables its Clean-all command.
bool LoadConfig();

// Reads section Fn into FunDataMap unless a record for key n is already there.
void ReloadFunData(int n);

// One key of a fun.cfg section and its value.
struct SectionEntry {
    std::wstring key;
    std::wstring value;
};

// Writes the entries into section Fn of fun.cfg in their order, then `uiEntries` into section Fn_UI
// (a macro's steps), and puts the section Fn values into key n's record (DisplayName, IconFile,
// "1".."15", Type, Count; each cut to what the record holds, and written so), all or nothing:
// false leaves the file and the record as they were. Keys that the entries do not name stay as
// they are in both.
bool WriteKeySection(int n, std::vector<SectionEntry> entries, const std::vector<SectionEntry>& uiEntries = {});

// Unassigns key n in fun.cfg and in memory; false when fun.cfg could not be changed, and then
// the record stays as the file has it. The controller table is left to the caller.
bool ClearFunKey(int n);

enum class ClearAllResult { Done, FunCfgFailed, TableRefused };

// Unassigns every key with one change of fun.cfg, then rebuilds and writes the controller table.
// When fun.cfg could not be changed, no key changes and no table is written.
ClearAllResult ClearAllFunKeys(ControllerPort& port, const KeyResetObservers& observers = {});

// True when some record in FunDataMap has a type other than 0.
bool AnyKeyAssigned();
