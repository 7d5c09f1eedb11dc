#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace simtest {

// Folder of the test program, with a trailing backslash.
std::wstring TestFolder();
// The program folder of this build, where the stand-ins are installed.
std::wstring DistFolder();

// A fresh folder under the temporary folder, removed again with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With a trailing backslash.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// Sets an environment variable for this process and the programs it starts; restores it after.
class EnvironmentScope {
public:
    EnvironmentScope(const wchar_t* name, const wchar_t* value);
    ~EnvironmentScope();
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

// A DLL loaded for the length of a test.
class Library {
public:
    explicit Library(const std::wstring& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool Loaded() const { return module_ != nullptr; }
    FARPROC Raw(const char* name) const;

    template <class Fn>
    Fn Get(const char* name) const
    {
        // Through the generic function type, which converts to any other without a warning.
        return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(Raw(name)));
    }

private:
    HMODULE module_;
};

std::optional<std::vector<BYTE>> ReadBytes(const std::wstring& path);
std::string ReadText(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::vector<std::string> ReadLines(const std::wstring& path);
std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key);
bool FileExists(const std::wstring& path);
std::string Utf8(const std::wstring& text);

// Runs a program to its end while dispatching this thread's messages; its output goes to
// `outputFile` when given. Returns the exit code, or nothing when it could not start or hung.
std::optional<DWORD> RunPumpingMessages(const std::wstring& commandLine, const std::wstring& outputFile = {});

// Every test runs against its own state folder, named by TASTRO_SIM_DIR.
class StateFolderTest : public testing::Test {
protected:
    StateFolderTest() : stateScope_(L"TASTRO_SIM_DIR", state_.Path().c_str()) {}

    const std::wstring& State() const { return state_.Path(); }
    std::vector<std::string> CallLog() const { return ReadLines(State() + L"calls.log"); }

private:
    ScratchFolder state_;
    EnvironmentScope stateScope_;
};

}  // namespace simtest
