#include <windows.h>

#include <cfenv>
#include <thread>

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

// Pixel arithmetic in doubles gives the same bytes in both builds only on SSE2 with round to nearest.
TEST(Toolchain, DoublesAreRoundedToNearestAtEveryStepOnEveryThread)
{
    auto check = [] {
        volatile double one = 1.0;
        volatile double tiny = 0x1p-53;
        return one + tiny - one == 0.0 && std::fegetround() == FE_TONEAREST;  // x87 would keep 2^-53
    };
    bool onThread = false;
    std::thread([&] { onThread = check(); }).join();
    EXPECT_TRUE(check() && onThread);
}
