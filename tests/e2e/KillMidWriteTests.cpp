// The driver killed at any moment of a write leaves the file it writes whole, with its old bytes
// or its new ones, and whatever it left beside the file troubles no later run.

#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

#include <cstdio>

using namespace e2e;
using testing::UnorderedElementsAre;

namespace {

// Ten recorded macros of 15 steps, each with its full list of step slots: about 23 KB.
std::string MacroKeys(const std::string& name)
{
    std::string text;
    for (int n = 1; n <= 10; ++n) {
        const std::string section = "[F" + std::to_string(n);
        text += section + "]\r\nDisplayName=" + name + std::to_string(n) + "\r\nIconFile=\r\n";
        for (int i = 1; i <= 15; ++i)
            text += std::to_string(i) + "=" + std::to_string(64 + i) + "\r\n";
        text += "Type=129\r\nCount=15\r\n";
        for (int i = 1; i <= 15; ++i)
            text += std::to_string(i) + "_code=0x1a0023a\r\n";
        text += section + "_UI]\r\n";
        for (int j = 1; j <= 59; ++j) {
            const std::string slot = std::to_string(j);
            text += slot + "_status=" + (j % 2 ? "1" : "2") + "\r\n" + slot + "_dis=" +
                    (j % 2 ? std::string(1, char('A' + j / 2 % 26)) : "100") + "\r\n" + slot + "_key=" +
                    std::to_string(j % 2 ? 65 + j / 2 % 26 : 100) + "\r\n";
        }
    }
    return text;
}

// A profile of some 300 KB whose keys come last.
std::string LargeProfile()
{
    std::string text = "[Notes]\r\n";
    for (int i = 0; text.size() < 280000; ++i)
        text += "line" + std::to_string(i) + "=kept byte for byte, whatever reads it\r\n";
    return text + MacroKeys("Large ");
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
    const std::string keys_ = MacroKeys("Macro ");
    const std::string large_ = LargeProfile();

    void Reset(bool largeFunCfg) const
    {
        WriteFunCfg(largeFunCfg ? large_ : keys_);
        CreateDirectoryW(File(L"Profile").c_str(), nullptr);
        WriteFileBytes(File(L"Profile\\large.mck"), large_);
        WriteFileBytes(File(L"Profile\\keys.mck"), keys_);
    }

    // Starts the driver, waits for the first change to the file or its folder, lets it run `us`
    // microseconds more and kills it. False when it ended before that.
    bool KillDuringWrite(const std::vector<std::wstring>& arguments, const std::wstring& file, LONGLONG us) const
    {
        const std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
        const FileStamp fileBefore = StampOf(file);
        const FileStamp folderBefore = StampOf(folder);
        const HANDLE process = StartCtl(arguments);
        EXPECT_NE(process, nullptr);
        if (process == nullptr)
            return false;
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
        return running;
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
        int old = 0;
        // The earliest kill comes last, so that what it leaves beside the file meets the next runs.
        for (const LONGLONG us : {1500, 500, 250, 120, 40, 0}) {
            Reset(writer.largeFunCfg);
            killed += KillDuringWrite(writer.arguments, path, us);
            const std::optional<std::string> left = ReadFileBytes(path);
            old += left == before;
            EXPECT_TRUE(left == before || left == after)
                << "killed " << us << " us after the first change: " << (left ? left->size() : 0) << " bytes, not "
                << before->size() << " or " << after->size();
        }
        std::printf("%s: killed %d times, %d left the old file\n", Utf8(writer.file).c_str(), killed, old);
        EXPECT_GT(killed, 0) << "no run was killed while it wrote";

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
