#include "FakeControllerPort.h"
#include "FunData.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <random>

namespace {

std::wstring Text(std::wstring_view view)
{
    return std::wstring(view);
}

void ExpectUnassigned(int n)
{
    const _FunData* data = FindFunData(n);
    ASSERT_NE(data, nullptr) << "F" << n;
    EXPECT_EQ(data->Type, 0) << "F" << n;
    EXPECT_EQ(data->Count, 1) << "F" << n;
    EXPECT_EQ(Text(FieldText(data->DisplayName)), L"") << "F" << n;
    EXPECT_EQ(Text(FieldText(data->Value[0])), L"") << "F" << n;
}

} // namespace

TEST(KeyAssignmentStore, WithoutFilesAllKeysAreUnassignedAndKeyCodesHoldOneEmptyRow)
{
    ScratchFolder folder;
    EXPECT_FALSE(LoadConfig());
    EXPECT_EQ(FunDataMap().size(), 10u);
    for (int n = 1; n <= 10; ++n)
        ExpectUnassigned(n);
    ASSERT_EQ(KeyCodeMap().size(), 1u);
    EXPECT_EQ(KeyCodeMap().at(L""), 0);
    EXPECT_FALSE(FileExists(folder.File(L"fun.cfg")));
}

TEST(KeyAssignmentStore, ReadsEveryFieldAndDefaultsMissingOnes)
{
    ScratchFolder folder;
    std::string funCfg = "[F3]\r\nType=3\r\n"
                         "[F7]\r\nDisplayName=Seven\r\nIconFile=C:\\icons\\seven.ico\r\nType=129\r\nCount=4\r\n";
    for (int i = 1; i <= 15; ++i)
        funCfg += std::to_string(i) + "=v" + std::to_string(i) + "\r\n";
    funCfg += "[F9]\r\nDisplayName=" + std::string(80, 'N') + "\r\n1=" + std::string(300, 'p') + "\r\nType=2\r\n";
    folder.WriteAnsi(L"fun.cfg", funCfg);

    EXPECT_TRUE(LoadConfig());

    const _FunData* f3 = FindFunData(3);
    ASSERT_NE(f3, nullptr);
    EXPECT_EQ(f3->Type, 3);
    EXPECT_EQ(f3->Count, 1);
    EXPECT_EQ(Text(FieldText(f3->DisplayName)), L"");
    EXPECT_EQ(Text(FieldText(f3->IconFile)), L"");

    const _FunData* f7 = FindFunData(7);
    ASSERT_NE(f7, nullptr);
    EXPECT_EQ(Text(FieldText(f7->DisplayName)), L"Seven");
    EXPECT_EQ(Text(FieldText(f7->IconFile)), L"C:\\icons\\seven.ico");
    for (int i = 1; i <= 15; ++i)
        EXPECT_EQ(Text(FieldText(f7->Value[i - 1])), L"v" + std::to_wstring(i));
    EXPECT_EQ(f7->Type, 129);
    EXPECT_EQ(f7->Count, 4);

    // Over-long texts are cut to the field less one character.
    const _FunData* f9 = FindFunData(9);
    ASSERT_NE(f9, nullptr);
    EXPECT_EQ(Text(FieldText(f9->DisplayName)), std::wstring(63, L'N'));
    EXPECT_EQ(Text(FieldText(f9->Value[0])), std::wstring(259, L'p'));

    for (int n : {1, 2, 4, 5, 6, 8, 10})
        ExpectUnassigned(n);
}

TEST(KeyAssignmentStore, KeyMapRowsFirstDuplicateWinsAndCountBoundsTheRows)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"KeyMap.cfg", "[Info]\r\ncount=4\r\n"
                                    "[KeyCode]\r\n"
                                    "1_dis=a\r\n1_key=1024\r\n"
                                    "2_dis=a\r\n2_key=9999\r\n"
                                    "3_dis=\" \"\r\n3_key=11264\r\n"
                                    "4_dis=TAB\r\n4_key=11008\r\n"
                                    "5_dis=z\r\n5_key=7424\r\n");
    LoadConfig();
    EXPECT_EQ(KeyCodeMap().size(), 3u);
    EXPECT_EQ(KeyCodeMap().at(L"a"), 1024);
    EXPECT_EQ(KeyCodeMap().at(L" "), 11264);
    EXPECT_EQ(KeyCodeMap().at(L"TAB"), 11008);
    EXPECT_EQ(KeyCodeMap().count(L"z"), 0u);

    folder.WriteAnsi(L"KeyMap.cfg", "[Info]\r\ncount=0\r\n[KeyCode]\r\n1_dis=a\r\n1_key=1024\r\n");
    IniFile(folder.File(L"KeyMap.cfg")).Flush();
    LoadConfig();
    EXPECT_TRUE(KeyCodeMap().empty());
}

TEST(KeyAssignmentStore, KeyMapLoadTimeDoesNotDependOnTheStatedCount)
{
    ScratchFolder folder;
    const std::string rows = "[KeyCode]\r\n1_dis=a\r\n1_KEY=1024\r\n3_key=77\r\n4_dis=b\r\n4_key=5\r\n"
                             "05_dis=c\r\n5_dis=d\r\n 6_dis = e\r\n7x_dis=f\r\n";
    const struct {
        std::string info;
        KeyCodeMapType expected;
    } cases[] = {
        // Row 2 is missing and row 3 has no text: the empty text takes the first such row's code.
        {"count=2147483647\r\n" + rows, {{L"a", 1024}, {L"", 0}, {L"b", 5}, {L"d", 0}, {L"e", 0}}},
        {"count=1\r\n" + rows, {{L"a", 1024}}},
        {"count=-2147483648\r\n" + rows, {}},
        {"count=3\r\n[KeyCode]\r\n1_dis=a\r\n2_dis=b\r\n3_key=9\r\n", {{L"a", 0}, {L"b", 0}, {L"", 9}}},
    };
    for (const auto& c : cases) {
        folder.WriteAnsi(L"KeyMap.cfg", "[Info]\r\n" + c.info);
        IniFile(folder.File(L"KeyMap.cfg")).Flush();
        const DWORD start = GetTickCount();
        LoadConfig();
        EXPECT_LT(GetTickCount() - start, 2000u) << c.info;
        EXPECT_EQ(KeyCodeMap(), c.expected) << c.info;
    }
}

TEST(KeyAssignmentStore, ReloadFunDataLeavesAnExistingRecordAndReadsAMissingOne)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F2]\r\nDisplayName=old\r\nType=2\r\n");
    LoadConfig();
    IniFile(folder.File(L"fun.cfg")).WriteString(L"F2", L"DisplayName", L"new");

    ReloadFunData(2);
    EXPECT_EQ(Text(FieldText(FindFunData(2)->DisplayName)), L"old");

    FunDataMap().erase(L"F2");
    ReloadFunData(2);
    ASSERT_NE(FindFunData(2), nullptr);
    EXPECT_EQ(Text(FieldText(FindFunData(2)->DisplayName)), L"new");
}

TEST(KeyAssignmentStore, ClearFunKeyRemovesTheMacroSecondSectionOnlyForMacros)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nDisplayName=macro\r\n1=162\r\nType=129\r\nCount=1\r\n1_code=0x1a0023a\r\n"
                                 "[F1_UI]\r\n1_status=1\r\n"
                                 "[F2]\r\nDisplayName=text\r\n1=hello\r\nType=2\r\n"
                                 "[F2_UI]\r\n1_status=1\r\n"
                                 "[F3]\r\nType=3\r\n");
    LoadConfig();
    ClearFunKey(1);
    ClearFunKey(2);

    const IniFile ini(folder.File(L"fun.cfg"));
    EXPECT_EQ(ini.ReadString(L"F1", L"Type", L"gone", 260), L"gone");
    EXPECT_EQ(ini.ReadString(L"F1_UI", L"1_status", L"gone", 260), L"gone");
    EXPECT_EQ(ini.ReadString(L"F2", L"Type", L"gone", 260), L"gone");
    EXPECT_EQ(ini.ReadString(L"F2_UI", L"1_status", L"gone", 260), L"1");
    EXPECT_EQ(ini.ReadString(L"F3", L"Type", L"gone", 260), L"3");

    // Only the type changes in memory; the texts stay until the key is next loaded.
    EXPECT_EQ(FindFunData(1)->Type, 0);
    EXPECT_EQ(Text(FieldText(FindFunData(1)->DisplayName)), L"macro");
    EXPECT_EQ(FindFunData(2)->Type, 0);
    EXPECT_EQ(Text(FieldText(FindFunData(2)->Value[0])), L"hello");
    EXPECT_EQ(FindFunData(3)->Type, 3);
}

TEST(KeyAssignmentStore, ClearFunKeyBeforeAnyLoadOnlyDeletesTheSection)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F4]\r\nType=2\r\n");
    ClearFunKey(4);
    EXPECT_TRUE(FunDataMap().empty());
    EXPECT_EQ(IniFile(folder.File(L"fun.cfg")).ReadString(L"F4", L"Type", L"gone", 260), L"gone");
}

TEST(KeyAssignmentStore, ClearAllFunKeysEmptiesTheFileAndWritesTheFixedTable)
{
    ScratchFolder folder;
    std::string funCfg;
    for (int n = 1; n <= 10; ++n)
        funCfg += "[F" + std::to_string(n) + "]\r\nType=3\r\n1=C:\\x\r\n";
    folder.WriteAnsi(L"fun.cfg", funCfg);
    ASSERT_TRUE(LoadConfig());

    FakeControllerPort port;
    EXPECT_EQ(ClearAllFunKeys(port), ClearAllResult::Done);

    const IniFile ini(folder.File(L"fun.cfg"));
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(ini.ReadString(FunSection(n), L"Type", L"gone", 260), L"gone");
        EXPECT_EQ(FindFunData(n)->Type, 0);
    }
    EXPECT_FALSE(AnyKeyAssigned());
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0][35], 6);
    EXPECT_EQ(port.written[0][1], 0x00);
    EXPECT_EQ(port.written[0][2], 0xC6);
}

TEST(KeyAssignmentStore, AFailedClearLeavesFileMemoryAndControllerAgreeing)
{
    ScratchFolder folder;
    const std::string funCfg = "[F1]\r\nType=3\r\n[F2]\r\nType=2\r\n1=ab\r\n";
    folder.WriteAnsi(L"fun.cfg", funCfg);
    ASSERT_TRUE(LoadConfig());
    FakeControllerPort port;
    {
        const ScopedFileHandle held = HoldReadOnly(folder.File(L"fun.cfg"));
        EXPECT_FALSE(ClearFunKey(2));
        EXPECT_EQ(ClearAllFunKeys(port), ClearAllResult::FunCfgFailed);
    }
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), funCfg);
    EXPECT_EQ(FindFunData(1)->Type, 3);
    EXPECT_EQ(FindFunData(2)->Type, 2);
    EXPECT_TRUE(port.written.empty());

    port.accepts = false;
    EXPECT_FALSE(BuildEcBuffer(port));
    EXPECT_EQ(ClearAllFunKeys(port), ClearAllResult::TableRefused);
    EXPECT_FALSE(AnyKeyAssigned());
    EXPECT_EQ(port.written.size(), 2u);
}

TEST(KeyAssignmentStore, UnreadableFunCfgGivesUnassignedKeys)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=3\r\n");
    HANDLE locked = CreateFileW(folder.File(L"fun.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(LoadConfig());
    CloseHandle(locked);
    ExpectUnassigned(1);
}

TEST(KeyAssignmentStore, CorruptFunCfgLoadsAndAssemblesWithoutTouchingTheFile)
{
    ScratchFolder folder;
    std::mt19937 random(1234);
    for (int round = 0; round < 4; ++round) {
        std::string bytes;
        // Random bytes with section headers and keys sprinkled in, so that values get parsed.
        for (int i = 0; i < 6000; ++i) {
            const unsigned r = random() % 100;
            if (r < 3)
                bytes += "\r\n[F" + std::to_string(random() % 11) + "]\r\n";
            else if (r < 8)
                bytes += "\r\nType=" + std::to_string(static_cast<int>(random()) % 300) + "\r\n";
            else if (r < 12)
                bytes += "\r\nCount=" + std::to_string(static_cast<int>(random())) + "\r\n";
            else if (r < 16)
                bytes += "\r\n" + std::to_string(random() % 16) + "=";
            else
                bytes += static_cast<char>(random());
        }
        const std::wstring name = L"fun.cfg";
        folder.WriteBytes(name, bytes.data(), bytes.size());
        IniFile(folder.File(name)).Flush();
        LoadConfig();
        EXPECT_EQ(FunDataMap().size(), 10u);
        const ControllerPort::Table table = AssembleEcBuffer();
        EXPECT_LE(table[35], 16);
        EXPECT_EQ(ReadBytes(folder.File(name)), bytes) << "round " << round;
    }
}
