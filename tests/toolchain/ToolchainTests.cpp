#include <windows.h>

#include <gtest/gtest.h>

// The outside libraries are stdcall DLLs: a program that is not built for the declared
// architecture cannot load them. These checks keep the build honest about it.
TEST(Toolchain, PointerWidthMatchesTheTarget)
{
#if defined(_WIN64)
    EXPECT_EQ(sizeof(void*), 8u);
#else
    EXPECT_EQ(sizeof(void*), 4u);
#endif
}

TEST(Toolchain, RunsUnderWindowsApi)
{
    wchar_t path[MAX_PATH] = {};
    EXPECT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
}
