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

std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return std::wstring(path) + L"\\";
}

TEST(SystemModuleLoader, WithoutTheSearchFlagLoadsBareNamesByFullPathFromTheProgramOrSystemFolderOnly)
{
    const std::unique_ptr<ModuleLoader> loader = MakeSystemModuleLoader(&LoadRefusingSearchFlags);
    // One library beside this program (and on PATH), one only in a folder on PATH.
    const std::wstring besideProgram = ExecutableFolder() + L"FallbackBeside.dll";
    CloseHandle(CreateFileW(besideProgram.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ScratchFolder onPath;
    for (const wchar_t* name : {L"FallbackBeside.dll", L"FallbackOnPath.dll"})
        CloseHandle(CreateFileW((onPath.Path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    std::wstring path(32767, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), 32767));
    SetEnvironmentVariableW(L"PATH", (onPath.Path() + L";" + path).c_str());

    constexpr DWORD kSearch = LOAD_LIBRARY_SEARCH_DEFAULT_DIRS;
    constexpr DWORD kAltered = LOAD_WITH_ALTERED_SEARCH_PATH;
    const struct {
        std::wstring asked;
        bool loaded;
        std::vector<std::pair<std::wstring, DWORD>> loads;
    } cases[] = {
        {L"FallbackBeside.dll", true, {{L"FallbackBeside.dll", kSearch}, {besideProgram, kAltered}}},
        {L"kernel32.dll", true, {{L"kernel32.dll", kSearch}, {SystemFolder() + L"kernel32.dll", kAltered}}},
        {L"FallbackOnPath.dll", false, {{L"FallbackOnPath.dll", kSearch}}},
        {onPath.Path() + L"FallbackOnPath.dll", true, {{onPath.Path() + L"FallbackOnPath.dll", 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.asked));
        g_loads.clear();
        const HMODULE module = loader->Load(c.asked);
        EXPECT_EQ(module, c.loaded ? kLoaded : nullptr);
        if (!c.loaded) {
            EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
        }
        EXPECT_EQ(g_loads, c.loads);
    }
    DeleteFileW(besideProgram.c_str());
    SetEnvironmentVariableW(L"PATH", path.c_str());
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
