#include "SimTestSupport.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <numeric>

using namespace simtest;
using testing::ElementsAre;

namespace {

using AcpiInitFn = int(WINAPI*)();
using AcpiBufferFn = int(WINAPI*)(DWORD item, DWORD arg, BYTE* buffer, DWORD* length);
using AcpiSetItemFn = int(WINAPI*)(DWORD item, DWORD value, DWORD arg);

const char* const kEntryPoints[] = {
    "AcpiInit",       "AcpiGetItem",  "AcpiGetItemEx",   "AcpiGetItemBuffer", "AcpiSetItemBuffer",
    "AcpiSetItem",    "AcpiMbif",     "AcpiGGrp",        "AcpiCallMethod",    "AcpiFirstArg",
    "AcpiGetArgCount", "AcpiNextArg", "AcpiGetArgType", "AcpiGetArgData"};

class BiosgateexTest : public StateFolderTest {
protected:
    Library dll{DistFolder() + L"Biosgateex.dll"};
    AcpiInitFn init = dll.Get<AcpiInitFn>("AcpiInit");
    AcpiBufferFn getBuffer = dll.Get<AcpiBufferFn>("AcpiGetItemBuffer");
    AcpiBufferFn setBuffer = dll.Get<AcpiBufferFn>("AcpiSetItemBuffer");
    AcpiSetItemFn setItem = dll.Get<AcpiSetItemFn>("AcpiSetItem");

    void SetUp() override
    {
        ASSERT_TRUE(dll.Loaded());
        ASSERT_NE(getBuffer, nullptr);
        ASSERT_NE(setBuffer, nullptr);
        ASSERT_NE(setItem, nullptr);
    }
};

TEST(BiosgateexExports, AllFourteenNamesUndecoratedAndTheIncompleteBuildLacksOne)
{
    Library complete(DistFolder() + L"Biosgateex.dll");
    ASSERT_TRUE(complete.Loaded());
    for (const char* name : kEntryPoints) {
        EXPECT_NE(complete.Raw(name), nullptr) << name;
    }

    Library incomplete(TestFolder() + L"Biosgateex-incomplete.dll");
    ASSERT_TRUE(incomplete.Loaded());
    for (const char* name : kEntryPoints) {
        const bool expected = std::string(name) != "AcpiGetArgData";
        EXPECT_EQ(incomplete.Raw(name) != nullptr, expected) << name;
    }
    EXPECT_FALSE(FileExists(DistFolder() + L"Biosgateex-incomplete.dll"));
}

TEST_F(BiosgateexTest, KeyTableIsStoredByteForByteAndReplacedWhole)
{
    EXPECT_EQ(init(), 1);

    std::vector<BYTE> table(4096);
    std::iota(table.begin(), table.end(), BYTE{7});
    DWORD length = 4096;
    EXPECT_EQ(setBuffer(0x13060030, 3, table.data(), &length), 1);
    EXPECT_EQ(length, 4096u);
    EXPECT_EQ(ReadBytes(State() + L"13060030.bin"), table);

    // A shorter write leaves exactly the new bytes, not a tail of the old table.
    DWORD shortLength = 10;
    EXPECT_EQ(setBuffer(0x13060030, 3, table.data() + 100, &shortLength), 1);
    EXPECT_EQ(ReadBytes(State() + L"13060030.bin"), std::vector<BYTE>(table.begin() + 100, table.begin() + 110));

    for (const auto& entry : std::filesystem::directory_iterator(State())) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
    EXPECT_THAT(CallLog(), ElementsAre("Biosgateex AcpiInit", "Biosgateex AcpiSetItemBuffer 0x13060030 3 buf 4096",
                                       "Biosgateex AcpiSetItemBuffer 0x13060030 3 buf 10"));
}

TEST_F(BiosgateexTest, ReadGivesStoredBytesZeroFilledToTheRequestedLength)
{
    std::vector<BYTE> event = {1, 2, 3, 4, 5, 6, 0x3C, 0};
    WriteBytes(State() + L"13060032.bin", std::string(event.begin(), event.end()));

    std::vector<BYTE> buffer(4096, 0xCC);
    DWORD length = 4096;
    EXPECT_EQ(getBuffer(0x13060032, 3, buffer.data(), &length), 1);
    EXPECT_EQ(length, 4096u);
    std::vector<BYTE> expected(4096, 0);
    std::copy(event.begin(), event.end(), expected.begin());
    EXPECT_EQ(buffer, expected);

    // A smaller request gets only what fits.
    std::vector<BYTE> small(8, 0xCC);
    DWORD smallLength = 4;
    EXPECT_EQ(getBuffer(0x13060032, 3, small.data(), &smallLength), 1);
    EXPECT_EQ(small, (std::vector<BYTE>{1, 2, 3, 4, 0xCC, 0xCC, 0xCC, 0xCC}));

    EXPECT_THAT(CallLog(), ElementsAre("Biosgateex AcpiGetItemBuffer 0x13060032 3 buf 4096",
                                       "Biosgateex AcpiGetItemBuffer 0x13060032 3 buf 4"));
}

TEST_F(BiosgateexTest, ReadOfAnItemNeverWrittenFailsAndLeavesTheBuffer)
{
    std::vector<BYTE> buffer(16, 0xCC);
    DWORD length = 16;
    EXPECT_EQ(getBuffer(0x13060032, 3, buffer.data(), &length), 0);
    EXPECT_EQ(buffer, std::vector<BYTE>(16, 0xCC));
}

TEST_F(BiosgateexTest, MissingBufferOrLengthIsRefused)
{
    BYTE byte = 0;
    DWORD length = 1;
    EXPECT_EQ(setBuffer(0x13060030, 3, nullptr, &length), 0);
    EXPECT_EQ(setBuffer(0x13060030, 3, &byte, nullptr), 0);
    EXPECT_FALSE(FileExists(State() + L"13060030.bin"));
    EXPECT_EQ(getBuffer(0x13060030, 3, nullptr, &length), 0);
    EXPECT_THAT(CallLog(), ElementsAre("Biosgateex AcpiSetItemBuffer 0x13060030 3 null 1",
                                       "Biosgateex AcpiSetItemBuffer 0x13060030 3 buf null",
                                       "Biosgateex AcpiGetItemBuffer 0x13060030 3 null 1"));
}

TEST_F(BiosgateexTest, ValueItemsAreStoredAsDecimalUnderTheirHexName)
{
    EXPECT_EQ(setItem(0x13070031, 1, 1), 1);
    EXPECT_EQ(ReadText(State() + L"13070031.txt"), "1");
    EXPECT_EQ(setItem(0x13070031, 0, 1), 1);
    EXPECT_EQ(ReadText(State() + L"13070031.txt"), "0");
    EXPECT_EQ(setItem(0x6000D, 0xFFFFFFFF, 0), 1);
    EXPECT_EQ(ReadText(State() + L"0006000D.txt"), "4294967295");
    EXPECT_THAT(CallLog(), ElementsAre("Biosgateex AcpiSetItem 0x13070031 1 1",
                                       "Biosgateex AcpiSetItem 0x13070031 0 1",
                                       "Biosgateex AcpiSetItem 0x0006000D 4294967295 0"));
}

TEST_F(BiosgateexTest, EntryPointsWithoutBehaviourAnswerZeroAndLeaveATrace)
{
    using ItemValueFn = int(WINAPI*)(DWORD, DWORD, DWORD*);
    using ItemBufferFn = int(WINAPI*)(DWORD, DWORD, BYTE*, DWORD*);
    using BufferFn = int(WINAPI*)(DWORD, BYTE*, DWORD*);
    using PairFn = int(WINAPI*)(DWORD, DWORD);
    using SingleFn = int(WINAPI*)(DWORD);

    DWORD value = 5;
    BYTE buffer[4] = {};
    DWORD length = 4;
    EXPECT_EQ(dll.Get<ItemValueFn>("AcpiGetItem")(0x13070031, 1, &value), 0);
    EXPECT_EQ(dll.Get<ItemBufferFn>("AcpiGetItemEx")(0x6000D, 2, buffer, &length), 0);
    EXPECT_EQ(dll.Get<ItemValueFn>("AcpiMbif")(3, 4, &value), 0);
    EXPECT_EQ(dll.Get<BufferFn>("AcpiGGrp")(5, buffer, &length), 0);
    EXPECT_EQ(dll.Get<PairFn>("AcpiCallMethod")(6, 7), 0);
    EXPECT_EQ(dll.Get<SingleFn>("AcpiFirstArg")(8), 0);
    EXPECT_EQ(dll.Get<SingleFn>("AcpiGetArgCount")(9), 0);
    EXPECT_EQ(dll.Get<SingleFn>("AcpiNextArg")(10), 0);
    EXPECT_EQ(dll.Get<SingleFn>("AcpiGetArgType")(11), 0);
    EXPECT_EQ(dll.Get<BufferFn>("AcpiGetArgData")(12, nullptr, &length), 0);
    EXPECT_EQ(value, 5u);
    EXPECT_THAT(CallLog(),
                ElementsAre("Biosgateex AcpiGetItem 0x13070031 1 buf", "Biosgateex AcpiGetItemEx 0x0006000D 2 buf 4",
                            "Biosgateex AcpiMbif 3 4 buf", "Biosgateex AcpiGGrp 5 buf 4",
                            "Biosgateex AcpiCallMethod 6 7", "Biosgateex AcpiFirstArg 8",
                            "Biosgateex AcpiGetArgCount 9", "Biosgateex AcpiNextArg 10",
                            "Biosgateex AcpiGetArgType 11", "Biosgateex AcpiGetArgData 12 null 4"));
}

TEST(BiosgateexStateFolder, NestedStateFolderIsCreatedOnFirstUse)
{
    ScratchFolder scratch;
    const std::wstring nested = scratch.Path() + L"a\\b\\c";
    EnvironmentScope scope(L"TASTRO_SIM_DIR", nested.c_str());
    Library dll(DistFolder() + L"Biosgateex.dll");
    ASSERT_TRUE(dll.Loaded());
    EXPECT_EQ(dll.Get<AcpiInitFn>("AcpiInit")(), 1);
    EXPECT_THAT(ReadLines(nested + L"\\calls.log"), ElementsAre("Biosgateex AcpiInit"));
}

TEST(BiosgateexStateFolder, WithoutTheVariableStateLiesBesideTheModuleAndTheLogNamesItsFile)
{
    ScratchFolder program;
    ASSERT_TRUE(CopyFileW((TestFolder() + L"Biosgateex-incomplete.dll").c_str(),
                          (program.Path() + L"Biosgateex.dll").c_str(), FALSE));
    EnvironmentScope scope(L"TASTRO_SIM_DIR", nullptr);
    {
        Library dll(program.Path() + L"Biosgateex.dll");
        ASSERT_TRUE(dll.Loaded());
        EXPECT_EQ(dll.Get<AcpiInitFn>("AcpiInit")(), 1);
    }
    EXPECT_THAT(ReadLines(program.Path() + L"SimState\\calls.log"), ElementsAre("Biosgateex AcpiInit"));
}

}  // namespace
