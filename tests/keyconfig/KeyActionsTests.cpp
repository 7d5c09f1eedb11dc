#include "FunData.h"
#include "KeyActions.h"
#include "ProgramFolder.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ShellCall {
    HWND owner;
    std::wstring verb, file, parameters, directory;
    int show;
    DWORD size;
};

struct AudioCalls {
    int count = 0;
    bool bufferWritable = false;
    DWORD capacity = 0;
};

AudioCalls g_audio;

DWORD WINAPI FakeSetNextPlaybackDeviceAsDefault(wchar_t* buffer, DWORD capacity)
{
    ++g_audio.count;
    g_audio.capacity = capacity;
    if (buffer != nullptr) {
        // The whole declared capacity must be writable.
        buffer[capacity - 1] = L'x';
        buffer[0] = L'y';
        g_audio.bufferWritable = true;
    }
    return 1;
}

// Records what the key actions ask of the shell and the library loader.
class FakePlatform final : public KeyActionPlatform {
public:
    BOOL ExecuteShell(SHELLEXECUTEINFOW& info) override
    {
        auto text = [](const wchar_t* s) { return s ? std::wstring(s) : std::wstring(L"<null>"); };
        shell.push_back({info.hwnd, text(info.lpVerb), text(info.lpFile), text(info.lpParameters),
                         text(info.lpDirectory), info.nShow, info.cbSize});
        return shellStarts;
    }
    HMODULE Load(const std::wstring& path) override
    {
        loads.push_back(path);
        return libraryPresent ? module : nullptr;
    }
    FARPROC GetProc(HMODULE m, const char* name) override
    {
        EXPECT_EQ(m, module);
        lookups.push_back(name);
        return entryPresent ? reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&FakeSetNextPlaybackDeviceAsDefault)) : nullptr;
    }
    void Free(HMODULE m) override
    {
        EXPECT_EQ(m, module);
        ++frees;
    }
    bool FileExists(const std::wstring&) override { return libraryPresent; }

    BOOL shellStarts = TRUE;
    bool libraryPresent = true;
    bool entryPresent = true;
    HMODULE module = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x10000));
    std::vector<ShellCall> shell;
    std::vector<std::wstring> loads;
    std::vector<std::string> lookups;
    int frees = 0;
};

void Assign(int n, int type, const std::wstring& value1)
{
    _FunData& data = FunDataMap()[FunSection(n)];
    data.Type = type;
    CopyField(data.Value[0], value1);
}

class KeyActions : public testing::Test {
protected:
    void SetUp() override { g_audio = {}; }
    ScratchFolder folder;
    FakePlatform platform;
};

} // namespace

TEST_F(KeyActions, ShortcutOpensItsPathThroughTheShell)
{
    Assign(3, 3, L"C:\\Users\\me\\notes.txt");
    ExecuteFunKey(3, platform);
    ASSERT_EQ(platform.shell.size(), 1u);
    const ShellCall& call = platform.shell[0];
    EXPECT_EQ(call.size, sizeof(SHELLEXECUTEINFOW));
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, L"C:\\Users\\me\\notes.txt");
    EXPECT_EQ(call.parameters, L"");
    EXPECT_EQ(call.directory, L"");
    EXPECT_EQ(call.show, SW_SHOW);
    EXPECT_TRUE(platform.loads.empty());
}

TEST_F(KeyActions, ShortcutWithEmptyPathStillCallsTheShell)
{
    Assign(1, 3, L"");
    ExecuteFunKey(1, platform);
    ASSERT_EQ(platform.shell.size(), 1u);
    EXPECT_EQ(platform.shell[0].file, L"");
}

TEST_F(KeyActions, EjectFunctionStartsTheDriveEjector)
{
    Assign(10, 4, L"429");
    ExecuteFunKey(10, platform);
    ASSERT_EQ(platform.shell.size(), 1u);
    EXPECT_EQ(platform.shell[0].file, ProgramFolder() + L"Unmounter.exe");
    EXPECT_EQ(platform.shell[0].parameters, L"");
}

TEST_F(KeyActions, HostFunctionsMatchOnlyTheExactText)
{
    Assign(1, 4, L"0429");
    Assign(2, 4, L"429 ");
    Assign(3, 4, L"0430");
    Assign(4, 4, L"405");
    for (int n = 1; n <= 4; ++n)
        ExecuteFunKey(n, platform);
    EXPECT_TRUE(platform.shell.empty());
    EXPECT_TRUE(platform.loads.empty());
}

TEST_F(KeyActions, AudioFunctionLoadsCallsAndFreesTheLibraryOnEveryPress)
{
    Assign(5, 4, L"430");
    ExecuteFunKey(5, platform);
    ExecuteFunKey(5, platform);
    EXPECT_EQ(platform.loads, (std::vector<std::wstring>{ProgramFolder() + L"Sonaflip.dll",
                                                          ProgramFolder() + L"Sonaflip.dll"}));
    EXPECT_EQ(platform.lookups, (std::vector<std::string>{"SetNextPlaybackDeviceAsDefault",
                                                          "SetNextPlaybackDeviceAsDefault"}));
    EXPECT_EQ(g_audio.count, 2);
    EXPECT_EQ(g_audio.capacity, 256u);
    EXPECT_TRUE(g_audio.bufferWritable);
    EXPECT_EQ(platform.frees, 2);
    EXPECT_TRUE(platform.shell.empty());
}

TEST_F(KeyActions, AudioFunctionEndsSilentlyWithoutLibraryOrEntryPoint)
{
    Assign(5, 4, L"430");
    platform.libraryPresent = false;
    ExecuteFunKey(5, platform);
    EXPECT_EQ(platform.loads.size(), 1u);
    EXPECT_TRUE(platform.lookups.empty());
    EXPECT_EQ(platform.frees, 0);

    platform.libraryPresent = true;
    platform.entryPresent = false;
    ExecuteFunKey(5, platform);
    EXPECT_EQ(platform.lookups.size(), 1u);
    EXPECT_EQ(platform.frees, 1);
    EXPECT_EQ(g_audio.count, 0);
}

TEST_F(KeyActions, OtherKeysHaveNoHostAction)
{
    Assign(1, 2, L"hello");
    Assign(2, 129, L"162");
    Assign(3, 0, L"C:\\x");
    Assign(4, 5, L"429");
    for (int n = 0; n <= 11; ++n)
        ExecuteFunKey(n, platform);
    EXPECT_TRUE(platform.shell.empty());
    EXPECT_TRUE(platform.loads.empty());
    EXPECT_EQ(FunDataMap().size(), 4u);
}

TEST_F(KeyActions, ResultTellsWhetherTheActionStarted)
{
    Assign(1, 3, L"C:\\missing");
    Assign(2, 4, L"429");
    Assign(3, 4, L"430");
    Assign(4, 2, L"text");
    const struct {
        int key;
        BOOL shellStarts;
        bool libraryPresent, entryPresent, started;
    } cases[] = {{1, TRUE, true, true, true},    {1, FALSE, true, true, false},  {2, FALSE, true, true, false},
                 {3, FALSE, true, true, true},   {3, TRUE, false, true, false},  {3, TRUE, true, false, false},
                 {4, FALSE, false, false, true}, {9, FALSE, false, false, true}};
    for (const auto& c : cases) {
        platform.shellStarts = c.shellStarts;
        platform.libraryPresent = c.libraryPresent;
        platform.entryPresent = c.entryPresent;
        EXPECT_EQ(ExecuteFunKey(c.key, platform), c.started) << "F" << c.key << " shell " << c.shellStarts;
    }
}
