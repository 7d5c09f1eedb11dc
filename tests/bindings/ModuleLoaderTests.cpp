#include "ModuleLoader.h"

#include "Fakes.h"

#include <gtest/gtest.h>

namespace {

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
