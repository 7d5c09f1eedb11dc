#include "FileWriteLock.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(FileWriteLock, OneHolderForEverySpellingOfAFileAndADeadHolderLeavesItFree)
{
    ScratchFolder folder;
    const std::wstring path = folder.File(L"fun.cfg");
    const std::wstring name = FileWriteLock::MutexName(path);
    EXPECT_EQ(name, FileWriteLock::MutexName(folder.File(L"Profile\\..\\FUN.cfg")));
    EXPECT_NE(name, FileWriteLock::MutexName(folder.File(L"Setting.ini")));

    // Held by another thread, then left by it without letting go: a wait first times out, then
    // finds the lock free.
    const HANDLE kept = CreateMutexW(nullptr, FALSE, name.c_str());
    const HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE end = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
        WaitForSingleObject(mutex, INFINITE);
        SetEvent(taken);
        WaitForSingleObject(end, INFINITE);
        CloseHandle(mutex);
    });
    WaitForSingleObject(taken, INFINITE);
    EXPECT_EQ(FileWriteLock(folder.File(L"FUN.CFG"), 50).Result().error, static_cast<DWORD>(ERROR_TIMEOUT));
    SetEvent(end);
    holder.join();
    EXPECT_TRUE(FileWriteLock(path, 0));
    for (const HANDLE handle : {kept, taken, end})
        CloseHandle(handle);
}

} // namespace
