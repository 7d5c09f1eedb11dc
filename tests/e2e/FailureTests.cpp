// Failed steps and bad arguments leave the program folder as it was.

#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

using namespace e2e;
using testing::IsEmpty;
using testing::Contains;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

const std::string kFunCfg = "[F1]\r\nType=3\r\n1=C:\\\r\n[F2]\r\nType=4\r\n1=430\r\n";

using FailureTest = ProgramFolderTest;

TEST_F(FailureTest, WithoutAUsableControllerLibraryNothingIsWritten)
{
    WriteFunCfg(kFunCfg);
    ASSERT_EQ(Ctl({L"profile", L"save", L"game"}).exitCode, kOk);
    WriteFileBytes(File(L"fun.cfg"), kFunCfg + "[F3]\r\nType=3\r\n1=C:\\\r\n");

    // A missing library, then one that lacks an entry point.
    ASSERT_TRUE(DeleteFileW(File(L"Biosgateex.dll").c_str()));
    for (int variant = 0; variant < 2; ++variant) {
        if (variant == 1) {
            const std::wstring incomplete = TestFolder() + L"Biosgateex-incomplete.dll";
            ASSERT_TRUE(CopyFileW(incomplete.c_str(), File(L"Biosgateex.dll").c_str(), TRUE));
        }
        SCOPED_TRACE(variant == 0 ? "missing library" : "incomplete library");
        const TreeSnapshot before = Snapshot(Root());
        for (const std::vector<std::wstring>& arguments : std::vector<std::vector<std::wstring>>{
                 {L"build"}, {L"clear", L"1"}, {L"clear", L"all"}, {L"switch", L"off"}, {L"report"},
                 {L"profile", L"apply", L"game"}}) {
            const ProcessResult result = Ctl(arguments);
            SCOPED_TRACE(Utf8(arguments[0]) + ": " + testing::PrintToString(result));
            EXPECT_EQ(result.exitCode, kFailed);
            // What the program shows in a message box, and what the driver adds.
            EXPECT_THAT(SplitLines(result.err), Contains("Can not load Biosgate.dll"));
            EXPECT_THAT(result.err, HasSubstr("keyconfigctl: the controller library could not be loaded"));
            EXPECT_EQ(result.out, "");
        }
        EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
        EXPECT_FALSE(Exists(StateFolder()));
    }
}

TEST_F(FailureTest, BadArgumentsPrintTheUsageAndChangeNothing)
{
    WriteFunCfg(kFunCfg);
    const TreeSnapshot before = Snapshot(Root());
    for (const std::vector<std::wstring>& arguments : std::vector<std::vector<std::wstring>>{
             {}, {L"frobnicate"}, {L"--help"}, {L""}, {L"build", L"now"}, {L"report", L"F1"},
             {L"profile"}, {L"profile", L"save"}, {L"profile", L"list", L"x"}, {L"profile", L"rename", L"a"},
             {L"profile", L"save", L"a", L"b"}, {L"profile", L"apply"}}) {
        const ProcessResult result = Ctl(arguments);
        SCOPED_TRACE(testing::PrintToString(result));
        EXPECT_EQ(result.exitCode, kUsage);
        EXPECT_THAT(result.err, StartsWith("usage: keyconfigctl build\n"));
        EXPECT_THAT(result.err, HasSubstr("keyconfigctl profile save NAME | list | delete NAME | apply NAME"));
        EXPECT_EQ(result.out, "");
    }
    EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
}

}  // namespace
