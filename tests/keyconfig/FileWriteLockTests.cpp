#include "FileWriteLock.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

// (A holder that died leaves the lock free: the kill test's next write after a kill shows that.)
TEST(FileWriteLock, OneHolderForEverySpellingOfAFileAndAWaitThatEnds)
{
    ScratchFolder folder;
    const std::wstring path = folder.File(L"fun.cfg");
    EXPECT_EQ(FileWriteLock::MutexName(path), FileWriteLock::MutexName(folder.File(L"Profile\\..\\FUN.cfg")));
    EXPECT_NE(FileWriteLock::MutexName(path), FileWriteLock::MutexName(folder.File(L"Setting.ini")));

    const FileWriteLock held(path);
    ASSERT_TRUE(held);
    std::thread([&] {
        EXPECT_EQ(FileWriteLock(folder.File(L"FUN.CFG"), 50).Result().error, static_cast<DWORD>(ERROR_TIMEOUT));
        EXPECT_TRUE(FileWriteLock(folder.File(L"Setting.ini"), 0));
    }).join();
}

} // namespace
