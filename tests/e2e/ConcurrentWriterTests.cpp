// Drivers in several processes write one program folder at once, while a reader takes fun.cfg and
// Setting.ini every few milliseconds: every state read, and the state they end in, is one that
// whole operations give; no run fails; no copy stays beside the files.

#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

using namespace e2e;

namespace {

class ConcurrentWriters : public ProgramFolderTest {};

TEST_F(ConcurrentWriters, TakeTurnsSoThatReadersOnlySeeWholeOperations)
{
    const std::string full = MacroKeysText("Macro ");
    ASSERT_TRUE(CreateDirectoryW(File(L"Profile").c_str(), nullptr));
    WriteFileBytes(File(L"Profile\\Full.mck"), full);
    WriteFunCfg(full);
    // The states that whole operations give, each made alone first.
    ASSERT_EQ(Ctl({L"clear", L"3"}).exitCode, kOk);
    const std::set<std::optional<std::string>> funCfgStates{full, FunCfg()};
    ASSERT_EQ(Ctl({L"switch", L"off"}).exitCode, kOk);
    const std::optional<std::string> off = ReadFileBytes(File(L"Setting.ini"));
    ASSERT_EQ(Ctl({L"switch", L"on"}).exitCode, kOk);
    const std::set<std::optional<std::string>> settingStates{off, ReadFileBytes(File(L"Setting.ini"))};
    ASSERT_EQ(funCfgStates.size(), 2u);
    ASSERT_EQ(settingStates.size(), 2u);

    const std::vector<std::vector<std::wstring>> loops[] = {
        {{L"profile", L"apply", L"Full"}},
        {{L"clear", L"3"}},
        {{L"clear", L"3"}, {L"profile", L"apply", L"Full"}},
        {{L"switch", L"off"}, {L"switch", L"on"}},
    };
    std::atomic<bool> stop{false};
    std::mutex guard;
    int runs = 0;
    std::vector<std::string> failed;
    std::vector<std::thread> writers;
    for (const auto& commands : loops) {
        writers.emplace_back([&, commands] {
            for (std::size_t i = 0; !stop; ++i) {
                const std::vector<std::wstring>& arguments = commands[i % commands.size()];
                const ProcessResult result = Ctl(arguments);
                const std::lock_guard<std::mutex> lock(guard);
                ++runs;
                if (result.exitCode != kOk)
                    failed.push_back(Utf8(CommandLine(L"keyconfigctl", arguments)) + ": " +
                                     testing::PrintToString(result));
            }
        });
    }
    int samples = 0;
    int mixed = 0;
    std::string firstMixed;
    const auto sample = [&](const wchar_t* name, const std::set<std::optional<std::string>>& states) {
        const std::optional<std::string> bytes = ReadFileBytes(File(name));
        if (states.count(bytes) == 0 && mixed++ == 0)
            firstMixed = Utf8(name) + ":\n" + bytes.value_or("unreadable");
    };
    for (const ULONGLONG end = GetTickCount64() + 15000; GetTickCount64() < end; ++samples) {
        sample(L"fun.cfg", funCfgStates);
        sample(L"Setting.ini", settingStates);
        Sleep(2);
    }
    stop = true;
    for (std::thread& writer : writers)
        writer.join();
    sample(L"fun.cfg", funCfgStates);
    sample(L"Setting.ini", settingStates);

    std::printf("%d runs, %d samples\n", runs, samples);
    EXPECT_GT(runs, 20);
    EXPECT_TRUE(failed.empty()) << failed.size() << " runs failed, the first:\n" << failed.front();
    EXPECT_EQ(mixed, 0) << "states no sequence of whole operations gives, the first: " << firstMixed;
    for (const wchar_t* copy : {L"fun.cfg.new", L"Setting.ini.new", L"Profile\\TargetProfile.ini.new"})
        EXPECT_FALSE(Exists(File(copy))) << Utf8(copy);
}

} // namespace
