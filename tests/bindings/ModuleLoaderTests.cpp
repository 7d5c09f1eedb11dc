#include "ModuleLoader.h"

#include "Fakes.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

namespace {

// A system loader of Windows 7 without its loader update: the search flags are refused, every
// other load is answered with a stand-in module and recorded.
std::vector<std::pair<std::wstring, DWORD>> g_loads;
const HMODULE kLoaded = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x7A0000));

HMODULE WINAPI LoadRefusingSearchFlags(LPCWSTR name, HANDLE, DWORD flags)
{
    g_loads.emplace_back(name, flags);
    if (flags & 0xFF00) { // LOAD_LIBRARY_SEARCH_*
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return kLoaded;
}

TEST(SystemModuleLoader, WithoutTheSearchFlagLoadsBareNamesByFullPathFromTheProgramOrSystemFolderOnly)
{
    const std::unique_ptr<ModuleLoader> loader = MakeSystemModuleLoader(&LoadRefusingSearchFlags);
    // One library beside this program, one only elsewhere (as in a folder on PATH).
    const std::wstring beside = ExecutableFolder() + L"FallbackBeside.dll";
    ScratchFolder elsewhere;
    for (const std::wstring& file : {beside, elsewhere.Path() + L"FallbackElsewhere.dll"})
        CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);

    constexpr DWORD kSearch = LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;
    const struct {
        std::wstring asked;
        std::vector<std::pair<std::wstring, DWORD>> loads; // the last one loads, when it is not refused
    } cases[] = {
        {L"FallbackBeside.dll", {{L"FallbackBeside.dll", kSearch}, {beside, LOAD_WITH_ALTERED_SEARCH_PATH}}},
        {L"kernel32.dll",
         {{L"kernel32.dll", kSearch}, {std::wstring(system) + L"\\kernel32.dll", LOAD_WITH_ALTERED_SEARCH_PATH}}},
        {L"FallbackElsewhere.dll", {{L"FallbackElsewhere.dll", kSearch}}},
        {elsewhere.Path() + L"FallbackElsewhere.dll", {{elsewhere.Path() + L"FallbackElsewhere.dll", 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.asked));
        g_loads.clear();
        const bool loads = c.loads.back().second != kSearch;
        EXPECT_EQ(loader->Load(c.asked), loads ? kLoaded : nullptr);
        EXPECT_EQ(g_loads, c.loads);
    }
    DeleteFileW(beside.c_str());
}

TEST(SystemModuleLoader, LoadsLooksUpAndFreesRealLibraries)
{
    ModuleLoader& loader = SystemModuleLoader();
    const HMODULE library = loader.Load(L"kernel32.dll");
    ASSERT_NE(library, nullptr);

    using TickFn = DWORD(WINAPI*)();
    const auto tick = EntryPointCast<TickFn>(loader.GetProc(library, "GetTickCount"));
    ASSERT_NE(tick, nullptr);
    EXPECT_NE(tick(), 0u);
    EXPECT_EQ(loader.GetProc(library, "NoSuchEntryPoint"), nullptr);
    loader.Free(library);

    ScratchFolder folder;
    EXPECT_EQ(loader.Load(folder.Path() + L"missing.dll"), nullptr);
}

TEST(SystemModuleLoader, FileExistsOnlyForFiles)
{
    ModuleLoader& loader = SystemModuleLoader();
    ScratchFolder folder;
    const std::wstring file = folder.Path() + L"present.dll";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));

    EXPECT_TRUE(loader.FileExists(file));
    EXPECT_FALSE(loader.FileExists(folder.Path() + L"absent.dll"));
    EXPECT_FALSE(loader.FileExists(folder.Path()));
}

} // namespace
