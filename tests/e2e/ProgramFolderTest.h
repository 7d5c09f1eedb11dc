#pragma once

#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// Exit codes of the driver.
constexpr DWORD kOk = 0;
constexpr DWORD kFailed = 1;
constexpr DWORD kUsage = 2;

// The folder of this test program, with a trailing backslash.
std::wstring TestFolder();

std::optional<std::string> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
std::string Utf8(const std::wstring& text);
std::vector<std::string> SplitLines(const std::string& text);

// A value of an INI file (ANSI/UTF-8, or UTF-16LE with its mark), read without the system's
// profile cache; section and key in any letter case.
std::optional<std::string> IniValue(const std::wstring& path, const std::string& section, const std::string& key);

// Every file and folder under a root: relative path -> "folder", or the size and a hash of the
// content. Two equal snapshots mean nothing was written, created or removed.
using TreeSnapshot = std::map<std::string, std::string>;
TreeSnapshot Snapshot(const std::wstring& root);
// "+ path (what)", "- path (what)" or "* path (before -> after)" for each difference.
std::vector<std::string> Changes(const TreeSnapshot& before, const TreeSnapshot& after);

void PrintTo(const ProcessResult& result, std::ostream* os);

// fun.cfg text of ten recorded macros of 15 steps, each with its full list of step slots (about
// 23 KB), display names `name` 1 to 10.
std::string MacroKeysText(const std::string& name);

// A scratch program folder with the driver, the stand-ins and the shipped data files, removed
// again after the test. Layout: <root>\Program Folder\ (the program folder; the blank is there on
// purpose) and <root>\elsewhere\ (the current folder of every program started).
class ProgramFolderTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::wstring& Root() const { return root_; }
    const std::wstring& Program() const { return program_; }
    std::wstring File(const std::wstring& name) const { return program_ + name; }
    std::wstring StateFolder() const { return program_ + L"SimState\\"; }
    std::wstring State(const std::wstring& name) const { return StateFolder() + name; }

    ProcessResult Ctl(const std::vector<std::wstring>& arguments) const;
    ProcessResult Simkey(const std::wstring& key) const;
    // The driver started without waiting; see StartProcess.
    HANDLE StartCtl(const std::vector<std::wstring>& arguments) const;

    // fun.cfg as given (ANSI text).
    void WriteFunCfg(const std::string& text) const;
    std::optional<std::string> FunCfg() const { return ReadFileBytes(File(L"fun.cfg")); }
    std::optional<std::vector<std::uint8_t>> KeyTable() const;
    std::vector<std::string> CallLog() const;
    std::vector<std::string> WitnessLog() const;

    // witness.exe as the drive ejector, so that its start is recorded.
    void InstallDriveEjectorWitness() const;

private:
    ProcessResult Run(const std::wstring& program, const std::vector<std::wstring>& arguments) const;

    std::wstring root_;
    std::wstring program_;
};

}  // namespace e2e
