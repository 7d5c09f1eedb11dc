// Failed steps and bad arguments leave the program folder as it was.

#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

#include <memory>

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

// Held open for reading only while it lives: others can neither write, replace nor delete the file.
using HeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;

TEST_F(FailureTest, FailedStepsSayWhatFailedAndLeaveFileAndControllerAgreeing)
{
    const std::string funCfg = kFunCfg + "[F3]\r\nType=3\r\n1=C:\\no such folder\\x.txt\r\n";
    WriteFunCfg(funCfg);
    ASSERT_EQ(Ctl({L"profile", L"save", L"game"}).exitCode, kOk);
    ASSERT_EQ(Ctl({L"build"}).exitCode, kOk);
    ASSERT_EQ(Simkey(L"F3").exitCode, 1u);
    const std::wstring game = File(L"Profile\\game.mck");
    // The controller stand-in cannot store a table where a folder has its name.
    const std::wstring stored = State(L"13060030.bin");

    enum Arrangement { kNone, kFunCfgHeld, kProfileHeld, kTableRefused, kIncompleteTranslation };
    const struct {
        std::vector<std::wstring> arguments;
        Arrangement arrangement;
        DWORD exitCode;
        std::string says;
    } cases[] = {
        {{L"build"}, kTableRefused, kFailed, "keyconfigctl: the controller library refused the key table"},
        {{L"clear", L"all"}, kTableRefused, kFailed, "but the controller library refused the key table"},
        {{L"clear", L"2"}, kFunCfgHeld, kFailed, "F2 could not be removed from fun.cfg; no key table was written"},
        {{L"profile", L"apply", L"game"}, kFunCfgHeld, kFailed, "\"game\" could not be copied over fun.cfg: "},
        {{L"profile", L"delete", L"game"}, kProfileHeld, kFailed, "profile \"game\" could not be deleted: "},
        {{L"profile", L"save", L"game"}, kProfileHeld, kFailed, "profile \"game\" could not be saved: "},
        {{L"profile", L"save", std::wstring(300, L'x')}, kNone, kFailed, "name (at most 251 characters)"},
        {{L"profile", L"save", L".x"}, kNone, kFailed, "\".x\" is not a valid profile name"},
        {{L"report"}, kNone, kFailed, "keyconfigctl: the shell could not start it: "},
        {{L"build"}, kIncompleteTranslation, kOk,
         "RoRarodAzavDll: Assertion failed: m_pVnTranslateStr != NULL && m_pVnGetLangName != NULL"},
    };
    for (const auto& c : cases) {
        WriteFunCfg(funCfg);
        const auto table = KeyTable();
        const bool holds = c.arrangement == kFunCfgHeld || c.arrangement == kProfileHeld;
        const std::wstring heldPath = c.arrangement == kFunCfgHeld ? File(L"fun.cfg") : game;
        const HeldFile held(holds ? CreateFileW(heldPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                OPEN_EXISTING, 0, nullptr)
                                  : nullptr,
                            &CloseHandle);
        if (c.arrangement == kTableRefused) {
            DeleteFileW(stored.c_str());
            ASSERT_TRUE(CreateDirectoryW(stored.c_str(), nullptr));
        }
        const std::wstring incomplete = TestFolder() + L"RoRarodAzav-incomplete.dll";
        if (c.arrangement == kIncompleteTranslation) {
            ASSERT_TRUE(CopyFileW(incomplete.c_str(), File(L"RoRarodAzav.dll").c_str(), FALSE));
        }

        const ProcessResult result = Ctl(c.arguments);
        SCOPED_TRACE(Utf8(c.arguments.back()) + ": " + testing::PrintToString(result));
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_THAT(result.err, HasSubstr(c.says));
        if (c.arrangement == kTableRefused) {
            ASSERT_TRUE(RemoveDirectoryW(stored.c_str()));
        } else if (c.exitCode == kFailed) {
            EXPECT_EQ(KeyTable(), table);
            EXPECT_EQ(FunCfg(), funCfg);
        }
    }
    EXPECT_TRUE(Exists(game));
    EXPECT_FALSE(Exists(File(L"Profile\\.x.mck")));
}

}  // namespace
