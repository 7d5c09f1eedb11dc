// The ON/OFF switch, and what the program does on the host when the controller reports a key.

#include "KeyTable.h"
#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

using namespace e2e;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;

namespace {

// The program part and the rest of a command line.
std::pair<std::string, std::string> SplitProgram(const std::string& commandLine)
{
    if (!commandLine.empty() && commandLine.front() == '"') {
        const auto close = commandLine.find('"', 1);
        if (close == std::string::npos) {
            return {commandLine.substr(1), ""};
        }
        return {commandLine.substr(1, close - 1), commandLine.substr(close + 1)};
    }
    const auto blank = commandLine.find(' ');
    return {commandLine.substr(0, blank), blank == std::string::npos ? "" : commandLine.substr(blank)};
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool SamePath(const std::string& a, const std::wstring& b)
{
    return CompareStringOrdinal(std::filesystem::path(std::u8string(a.begin(), a.end())).wstring().c_str(), -1,
                                b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

using SwitchTest = ProgramFolderTest;

TEST_F(SwitchTest, StoredSwitchAndControllerAgree)
{
    // The shipped setting is on: start by turning it off.
    for (const std::wstring state : {L"off", L"on", L"off"}) {
        const std::string value = state == L"on" ? "1" : "0";
        const ProcessResult set = Ctl({L"switch", state});
        ASSERT_EQ(set.exitCode, kOk) << testing::PrintToString(set);
        EXPECT_EQ(set.out, "switch " + Utf8(state) + "\n");
        EXPECT_EQ(IniValue(File(L"Setting.ini"), "Info", "Switch"), value);
        EXPECT_EQ(ReadFileBytes(State(L"13070031.txt")), value);

        const ProcessResult show = Ctl({L"switch", L"show"});
        ASSERT_EQ(show.exitCode, kOk) << testing::PrintToString(show);
        EXPECT_EQ(show.out, "switch is " + Utf8(state) + "\n");
    }
    // The other settings stay.
    EXPECT_EQ(IniValue(File(L"Setting.ini"), "Info", "Version"), "1.00.00");
    EXPECT_EQ(IniValue(File(L"Setting.ini"), "Info", "Time"), "100");
    EXPECT_THAT(CallLog(), testing::IsSupersetOf({"Biosgateex AcpiSetItem 0x13070031 0 1",
                                                  "Biosgateex AcpiSetItem 0x13070031 1 1"}));
}

TEST_F(SwitchTest, AnythingButOnOffOrShowIsAUsageError)
{
    const TreeSnapshot before = Snapshot(Root());
    const std::vector<std::vector<std::wstring>> calls = {
        {L"switch"}, {L"switch", L"1"}, {L"switch", L"maybe"}, {L"switch", L"on", L"off"}};
    for (const auto& arguments : calls) {
        const ProcessResult result = Ctl(arguments);
        SCOPED_TRACE(testing::PrintToString(result));
        EXPECT_EQ(result.exitCode, kUsage);
        EXPECT_THAT(result.err, StartsWith("usage: keyconfigctl"));
    }
    EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
}

using ReportTest = ProgramFolderTest;

TEST_F(ReportTest, ShortcutKeyOpensItsTarget)
{
    const std::wstring target = File(L"witness.exe");
    WriteFunCfg("[F1]\r\nDisplayName=Tool\r\n1=" + Utf8(target) + "\r\nType=3\r\nCount=1\r\n");

    // Nothing is registered with the service: the event is stored all the same.
    const ProcessResult press = Simkey(L"F1");
    ASSERT_EQ(press.exitCode, 1u) << testing::PrintToString(press);
    const auto event = ReadFileBytes(State(L"13060032.bin"));
    ASSERT_TRUE(event && event->size() == kTableSize);
    ASSERT_EQ(static_cast<unsigned char>((*event)[6]), 0x3A);

    const ProcessResult report = Ctl({L"report"});
    ASSERT_EQ(report.exitCode, kOk) << testing::PrintToString(report);
    EXPECT_EQ(report.out, "F1: opening \"" + Utf8(target) + "\"\n");

    const auto started = WitnessLog();
    ASSERT_EQ(started.size(), 1u);
    ASSERT_THAT(started[0], StartsWith("witness.exe\t"));
    EXPECT_TRUE(SamePath(SplitProgram(started[0].substr(12)).first, target)) << started[0];
}

TEST_F(ReportTest, DriveEjectorKeyStartsTheEjectorWithoutArguments)
{
    InstallDriveEjectorWitness();
    // Only the exact text the Function Keys page writes starts the ejector.
    WriteFunCfg("[F4]\r\nType=4\r\n1=429\r\n[F5]\r\nType=4\r\n1=0429\r\n");

    ASSERT_EQ(Simkey(L"F5").exitCode, 1u);
    const ProcessResult other = Ctl({L"report"});
    ASSERT_EQ(other.exitCode, kOk) << testing::PrintToString(other);
    EXPECT_THAT(WitnessLog(), IsEmpty());

    ASSERT_EQ(Simkey(L"F4").exitCode, 1u);
    const ProcessResult report = Ctl({L"report"});
    ASSERT_EQ(report.exitCode, kOk) << testing::PrintToString(report);
    EXPECT_EQ(report.out, "F4: starting the drive ejector\n");

    const auto started = WitnessLog();
    ASSERT_EQ(started.size(), 1u);
    ASSERT_THAT(started[0], StartsWith("Unmounter.exe\t"));
    const auto [program, arguments] = SplitProgram(started[0].substr(14));
    EXPECT_TRUE(SamePath(program, File(L"Unmounter.exe"))) << started[0];
    EXPECT_EQ(Trimmed(arguments), "") << started[0];
}

TEST_F(ReportTest, AudioKeySwitchesToTheNextDeviceOnEveryPress)
{
    ASSERT_TRUE(CreateDirectoryW(StateFolder().c_str(), nullptr));
    WriteFileBytes(State(L"audio.ini"), "[Audio]\r\nDevices=Speakers;Headset;HDMI\r\nDefault=Speakers\r\n");
    WriteFunCfg("[F6]\r\nType=4\r\n1=430\r\n");

    ASSERT_EQ(Simkey(L"F6").exitCode, 1u);
    for (const char* expected : {"Headset", "HDMI"}) {
        const ProcessResult report = Ctl({L"report"});
        ASSERT_EQ(report.exitCode, kOk) << testing::PrintToString(report);
        EXPECT_EQ(report.out, "F6: switching to the next audio playback device\n");
        EXPECT_EQ(IniValue(State(L"audio.ini"), "Audio", "Default"), expected);
    }
    const auto log = CallLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Sonaflip SetNextPlaybackDeviceAsDefault buf 256"), 2);
}

TEST_F(ReportTest, KeysTheControllerRunsDoNothingOnTheHost)
{
    InstallDriveEjectorWitness();
    const auto media = FindShippedFunction(File(L"FunKeyMap.cfg"), [](std::int32_t code) { return code > 0; });
    ASSERT_TRUE(media.has_value());
    WriteFunCfg("[F2]\r\nType=2\r\nCount=1\r\n1=ab\r\n"
                "[F3]\r\nType=129\r\nCount=1\r\n1=4\r\n1_code=0x1000400\r\n"
                "[F8]\r\nType=4\r\n1=" + std::to_string(media->id) + "\r\n");

    const ProcessResult none = Ctl({L"report"});
    ASSERT_EQ(none.exitCode, kOk) << testing::PrintToString(none);
    EXPECT_EQ(none.out, "no key F1-F10 reported\n");

    for (const auto& [key, says] : std::vector<std::pair<std::wstring, std::string>>{
             {L"F2", "nothing to do here"}, {L"F3", "nothing to do here"}, {L"F8", "nothing to do here"},
             {L"F9", "F9 is not assigned"}}) {
        ASSERT_EQ(Simkey(key).exitCode, 1u);
        const ProcessResult report = Ctl({L"report"});
        SCOPED_TRACE(testing::PrintToString(report));
        EXPECT_EQ(report.exitCode, kOk);
        EXPECT_THAT(report.out, HasSubstr(says));
    }
    EXPECT_FALSE(Exists(State(L"witness.log")));
    EXPECT_FALSE(Exists(State(L"audio.ini")));
    EXPECT_THAT(CallLog(), Not(testing::Contains(StartsWith("Sonaflip"))));
}

}  // namespace
