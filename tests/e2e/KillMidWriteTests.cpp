// The driver killed at any moment of a write leaves the file it writes whole, with its old bytes
// or its new ones, and whatever it left beside the file troubles no later run.

#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

#include <cstdio>

using namespace e2e;
using testing::UnorderedElementsAre;

namespace {

// A profile of some 300 KB whose keys come last.
std::string LargeProfile()
{
    std::string text = "[Notes]\r\n";
    for (int i = 0; text.size() < 280000; ++i)
        text += "line" + std::to_string(i) + "=kept byte for byte, whatever reads it\r\n";
    return text + MacroKeysText("Large ");
}

struct FileStamp {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG written = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    return {true, ULONGLONG(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
            ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime};
}

void SpinMicroseconds(LONGLONG us)
{
    LARGE_INTEGER frequency{}, start{}, now{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    do
        QueryPerformanceCounter(&now);
    while ((now.QuadPart - start.QuadPart) * 1000000 < us * frequency.QuadPart);
}

class KillMidWriteTest : public ProgramFolderTest {
protected:
    const std::string keys_ = MacroKeysText("Macro ");
    const std::string large_ = LargeProfile();

    void Reset(bool largeFunCfg) const
    {
        WriteFunCfg(largeFunCfg ? large_ : keys_);
        CreateDirectoryW(File(L"Profile").c_str(), nullptr);
        WriteFileBytes(File(L"Profile\\large.mck"), large_);
        WriteFileBytes(File(L"Profile\\keys.mck"), keys_);
    }

    enum class Kill { None, OutsideTheCopy, MidWrite };

    // Starts the driver, waits for the first change to the file or its folder, lets it run `us`
    // microseconds more and kills it. MidWrite when the kill left a copy that this run made, so
    // it landed between making the copy and moving it; None when the driver ended before.
    Kill KillDuringWrite(const std::vector<std::wstring>& arguments, const std::wstring& file, LONGLONG us) const
    {
        const std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
        const FileStamp fileBefore = StampOf(file);
        const FileStamp folderBefore = StampOf(folder);
        const FileStamp copyBefore = StampOf(file + L".new");
        const HANDLE process = StartCtl(arguments);
        EXPECT_NE(process, nullptr);
        if (process == nullptr)
            return Kill::None;
        const ULONGLONG deadline = GetTickCount64() + 20000;
        bool running = true;
        while (StampOf(file) == fileBefore && StampOf(folder) == folderBefore &&
               (running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT) && GetTickCount64() < deadline) {
        }
        if (running) {
            SpinMicroseconds(us);
            running = TerminateProcess(process, 99) != FALSE;
        }
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
        const FileStamp copyAfter = StampOf(file + L".new");
        if (!running)
            return Kill::None;
        return copyAfter.exists && copyAfter != copyBefore ? Kill::MidWrite : Kill::OutsideTheCopy;
    }
};

TEST_F(KillMidWriteTest, AKilledWriterLeavesTheOldFileOrTheNewOne)
{
    ASSERT_GT(keys_.size(), 22000u);
    ASSERT_LT(keys_.size(), 30000u);
    struct Writer {
        std::vector<std::wstring> arguments;
        std::wstring file;
        bool largeFunCfg;
    };
    const Writer writers[] = {
        {{L"clear", L"3"}, L"fun.cfg", false},
        {{L"clear", L"all"}, L"fun.cfg", false},
        {{L"profile", L"apply", L"large"}, L"fun.cfg", false},
        {{L"profile", L"save", L"keys"}, L"Profile\\keys.mck", true},
    };
    for (const Writer& writer : writers) {
        const std::wstring path = File(writer.file);
        SCOPED_TRACE(Utf8(CommandLine(L"keyconfigctl", writer.arguments)));
        Reset(writer.largeFunCfg);
        const std::optional<std::string> before = ReadFileBytes(path);
        const ProcessResult whole = Ctl(writer.arguments);
        ASSERT_EQ(whole.exitCode, kOk) << testing::PrintToString(whole);
        const std::optional<std::string> after = ReadFileBytes(path);
        ASSERT_NE(before, after);

        int killed = 0;
        int midWrite = 0;
        int old = 0;
        const auto killOnce = [&](LONGLONG us) {
            Reset(writer.largeFunCfg);
            const Kill kill = KillDuringWrite(writer.arguments, path, us);
            killed += kill != Kill::None;
            midWrite += kill == Kill::MidWrite;
            const std::optional<std::string> left = ReadFileBytes(path);
            old += left == before;
            EXPECT_TRUE(left == before || left == after)
                << "killed " << us << " us after the first change: " << (left ? left->size() : 0) << " bytes, not "
                << before->size() << " or " << after->size();
        };
        // Delays spread over the write until a kill lands while the copy exists...
        for (int tries = 0; midWrite == 0 && tries < 40; ++tries)
            killOnce(tries * 7919 % 6000);
        // ...then the earliest kill comes last, so that what it leaves beside the file meets the next runs.
        for (const LONGLONG us : {1500, 500, 250, 120, 40, 0})
            killOnce(us);
        std::printf("%s: killed %d times, %d while the copy existed, %d left the old file\n",
                    Utf8(writer.file).c_str(), killed, midWrite, old);
        EXPECT_GT(midWrite, 0) << "no kill landed between making the copy and moving it";

        // After a kill the profiles are listed as they are, and the next run writes the new file.
        const ProcessResult list = Ctl({L"profile", L"list"});
        EXPECT_THAT(SplitLines(list.out), UnorderedElementsAre("keys", "large"));
        Reset(writer.largeFunCfg);
        const ProcessResult again = Ctl(writer.arguments);
        EXPECT_EQ(again.exitCode, kOk) << testing::PrintToString(again);
        EXPECT_EQ(ReadFileBytes(path), after);
    }
}

}  // namespace
