#include "FileReplacement.h"
#include "FileWriteLock.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(FileWriteLock, OneWriterAtATimeForEverySpellingOfAFileAndADeadHolderLeavesItFree)
{
    ScratchFolder folder;
    const std::wstring path = folder.File(L"fun.cfg");
    EXPECT_EQ(FileWriteLock::MutexName(path), FileWriteLock::MutexName(folder.File(L"FUN.cfg")));
    EXPECT_EQ(FileWriteLock::MutexName(path), FileWriteLock::MutexName(folder.File(L"Profile\\..\\fun.cfg")));
    EXPECT_NE(FileWriteLock::MutexName(path), FileWriteLock::MutexName(folder.File(L"Setting.ini")));

    // A writer on another thread is half way: a second one waits its time, fails and leaves the
    // first one's copy alone; once the first is done, the second starts from its file.
    folder.WriteAnsi(L"fun.cfg", "old");
    HANDLE halfway = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE finish = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread first([&] {
        FileReplacement replacement(path);
        replacement.Write("first", 5);
        SetEvent(halfway);
        WaitForSingleObject(finish, INFINITE);
        replacement.Commit();
    });
    WaitForSingleObject(halfway, INFINITE);
    {
        const FileWriteLock waiting(folder.File(L"FUN.CFG"), 50);
        EXPECT_EQ(waiting.Result().error, static_cast<DWORD>(ERROR_TIMEOUT));
    }
    EXPECT_EQ(ReadBytes(path + L".new"), "first");
    SetEvent(finish);
    {
        FileReplacement second(path);
        ASSERT_TRUE(second.CopyFrom(path));
        EXPECT_EQ(ReadBytes(path + L".new"), "first");
    }
    first.join();
    EXPECT_FALSE(FileExists(path + L".new"));

    // A holder that ended without letting go.
    const std::wstring name = FileWriteLock::MutexName(path);
    const HANDLE kept = CreateMutexW(nullptr, FALSE, name.c_str());
    std::thread([&] {
        const HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
        EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0);
        CloseHandle(mutex);
    }).join();
    EXPECT_TRUE(FileWriteLock(path, 0));
    CloseHandle(kept);
    CloseHandle(halfway);
    CloseHandle(finish);
}

} // namespace
