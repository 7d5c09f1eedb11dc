// The key table the driver builds from fun.cfg and the shipped code tables, as the simulated
// controller stores it.

#include "KeyTable.h"
#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

#include <algorithm>

using namespace e2e;
using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using testing::Pair;
using testing::StartsWith;

namespace {

// (header, data) of the records after the six fixed ones, as hex.
std::vector<std::pair<std::string, std::string>> KeyRecords(const std::vector<std::uint8_t>& table)
{
    std::vector<std::pair<std::string, std::string>> keys;
    const auto records = Records(table);
    for (std::size_t k = 6; k < records.size(); ++k) {
        keys.emplace_back(records[k].header, Hex(records[k].data));
    }
    return keys;
}

std::string HexOf(std::initializer_list<std::vector<std::uint8_t>> parts)
{
    std::vector<std::uint8_t> bytes;
    for (const auto& part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return Hex(bytes);
}

// Section names of an INI text, in file order.
std::vector<std::string> Sections(const std::string& ini)
{
    std::vector<std::string> names;
    for (const std::string& line : SplitLines(ini)) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            names.push_back(line.substr(1, line.size() - 2));
        }
    }
    return names;
}

std::string Utf16File(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (const wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Garbage(std::size_t size, std::uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

using KeyTableTest = ProgramFolderTest;

TEST_F(KeyTableTest, OneShortcutGivesTheKnownTable)
{
    WriteFunCfg("[F1]\r\nDisplayName=Tool\r\n1=" + Utf8(File(L"witness.exe")) + "\r\nType=3\r\nCount=1\r\n");

    const ProcessResult build = Ctl({L"build"});
    ASSERT_EQ(build.exitCode, kOk) << testing::PrintToString(build);
    EXPECT_EQ(build.out, "wrote the key table: 7 records, 6 data bytes\n");
    EXPECT_EQ(build.err, "");

    std::vector<std::uint8_t> expected(kTableSize, 0);
    const auto put = [&](std::size_t at, std::vector<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), expected.begin() + at);
    };
    put(0, {0xFF, 0x00, 0xC6});
    put(35, {7});
    put(36, {7, 1, 0, 0x44, 0, 0, 7, 1, 0, 0x45, 0, 0, 7, 1, 0, 0x4C, 0, 0,
             7, 1, 0, 0x28, 0, 0, 7, 1, 0, 0x58, 0, 0, 7, 1, 0, 0x06, 0x0F, 0x15});
    put(72, {3, 0, 0, 0x3A, 0, 0});
    put(195, {8, 6, 2, 1, 1, 3});

    const auto table = KeyTable();
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->size(), kTableSize);
    EXPECT_EQ(Hex(*table, 0, 256), Hex(expected, 0, 256));
    EXPECT_TRUE(std::all_of(table->begin() + 256, table->end(), [](std::uint8_t b) { return b == 0; }));

    const auto log = CallLog();
    EXPECT_THAT(log, Contains("Biosgateex AcpiInit"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "Biosgateex AcpiSetItemBuffer 0x13060030 3 buf 4096"), 1);
}

TEST_F(KeyTableTest, TypedTextsAndFunctionsCarryTheShippedCodes)
{
    const std::wstring keyMap = File(L"KeyMap.cfg");
    const auto a = ShippedKeyCode(keyMap, L"a");
    const auto upperB = ShippedKeyCode(keyMap, L"B");
    const auto x = ShippedKeyCode(keyMap, L"x");
    const auto tab = ShippedKeyCode(keyMap, L"TAB");
    ASSERT_TRUE(a && upperB && x && tab);
    ASSERT_NE(*a, *upperB);

    const std::wstring funKeyMap = File(L"FunKeyMap.cfg");
    const auto media = FindShippedFunction(funKeyMap, [](std::int32_t code) { return code > 0; });
    const auto lock = FindShippedFunction(funKeyMap, [](std::int32_t code) { return code == -2; });
    const auto ejector = ShippedFunctionById(funKeyMap, 429);
    ASSERT_TRUE(media && lock && ejector);
    ASSERT_TRUE(ejector->code == -4 || ejector->code == -5) << ejector->code;

    WriteFunCfg("[F2]\r\nType=2\r\nCount=1\r\n1=aB\r\n"
                "[F3]\r\nType=2\r\nCount=2\r\n1=x\r\n2=\r\n"
                "[F5]\r\nType=4\r\n1=" + std::to_string(media->id) + "\r\n"
                "[F6]\r\nType=4\r\n1=" + std::to_string(lock->id) + "\r\n"
                "[F7]\r\nType=4\r\n1=429\r\n");

    const ProcessResult build = Ctl({L"build"});
    ASSERT_EQ(build.exitCode, kOk) << testing::PrintToString(build);
    EXPECT_EQ(build.out, "wrote the key table: 11 records, 18 data bytes\n");

    const auto table = KeyTable();
    ASSERT_TRUE(table.has_value());
    EXPECT_TRUE(IsConsistentTable(*table));
    EXPECT_THAT(KeyRecords(*table),
                ElementsAre(Pair(KeyRecordHeader(2, 2, 4), HexOf({LittleEndian16(*a), LittleEndian16(*upperB)})),
                            // A second text that is empty still gets its TAB.
                            Pair(KeyRecordHeader(3, 2, 4), HexOf({LittleEndian16(*x), LittleEndian16(*tab)})),
                            Pair(KeyRecordHeader(5, 4, 4), Hex(LittleEndian32(media->code))),
                            Pair(KeyRecordHeader(6, 6, 0), ""),
                            // The ejector's press is reported back to the program.
                            Pair(KeyRecordHeader(7, 3, 0), "")));
}

TEST_F(KeyTableTest, RecordsOfHandEditedKeysStayWithinTheTable)
{
    // Sizes the key pages never write: a macro of 100 steps, 201 characters of text, a type
    // and function ids nobody knows, a negative count and a character without a key code.
    std::wstring text = L"[F1]\r\nType=129\r\nCount=100\r\n";
    for (int step = 1; step <= 20; ++step) {
        text += std::to_wstring(step) + L"_code=" + std::to_wstring(step) + L"\r\n";
    }
    text += L"[F2]\r\nType=2\r\nCount=2\r\n";
    text += L"1=" + std::wstring(100, L'a') + L"\r\n2=" + std::wstring(100, L'b') + L"\r\n";
    text += L"[F3]\r\nType=77\r\nCount=3\r\n";
    text += L"[F4]\r\nType=4\r\n1=999\r\n";
    text += L"[F5]\r\nType=4\r\n1=abc\r\n";
    text += L"[F6]\r\nType=2\r\nCount=1\r\n1=a\u20ACb\r\n";
    text += L"[F7]\r\nType=129\r\nCount=-5\r\n1_code=7\r\n";
    WriteFunCfg(Utf16File(text));
    const std::wstring keyMap = File(L"KeyMap.cfg");
    const auto a = ShippedKeyCode(keyMap, L"a");
    const auto b = ShippedKeyCode(keyMap, L"b");
    const auto tab = ShippedKeyCode(keyMap, L"TAB");
    ASSERT_TRUE(a && b && tab);
    ASSERT_FALSE(ShippedKeyCode(keyMap, L"\u20AC"));

    const ProcessResult build = Ctl({L"build"});
    ASSERT_EQ(build.exitCode, kOk) << testing::PrintToString(build);

    const auto table = KeyTable();
    ASSERT_TRUE(table.has_value());
    ASSERT_TRUE(IsConsistentTable(*table));

    std::vector<std::uint8_t> macro;
    for (int step = 1; step <= 15; ++step) {
        const auto word = LittleEndian32(step);
        macro.insert(macro.end(), word.begin(), word.end());
    }
    std::vector<std::uint8_t> longText;
    for (int i = 0; i < 127; ++i) {
        const auto code = LittleEndian16(i < 100 ? *a : i == 100 ? *tab : *b);
        longText.insert(longText.end(), code.begin(), code.end());
    }
    EXPECT_THAT(KeyRecords(*table),
                ElementsAre(Pair(KeyRecordHeader(1, 129, 60), Hex(macro)),
                            Pair(KeyRecordHeader(2, 2, 254), Hex(longText)),
                            Pair(KeyRecordHeader(6, 2, 4), HexOf({LittleEndian16(*a), LittleEndian16(*b)})),
                            Pair(KeyRecordHeader(7, 129, 0), "")));
    EXPECT_EQ(build.out, "wrote the key table: 10 records, 324 data bytes\n");
}

TEST_F(KeyTableTest, GarbageInFunCfgNeitherCrashesNorIsRewritten)
{
    // Plain bytes, and the same behind each byte-order mark the reader recognises.
    for (const std::string& prefix : {std::string(), std::string("\xFF\xFE"), std::string("\xEF\xBB\xBF")}) {
        const std::string garbage = prefix + Garbage(20000, static_cast<std::uint32_t>(prefix.size()) + 7);
        WriteFunCfg(garbage);
        SCOPED_TRACE("prefix of " + std::to_string(prefix.size()) + " bytes");

        const ProcessResult build = Ctl({L"build"});
        EXPECT_EQ(build.exitCode, kOk) << testing::PrintToString(build);
        const auto table = KeyTable();
        ASSERT_TRUE(table.has_value());
        EXPECT_TRUE(IsConsistentTable(*table));

        ASSERT_EQ(Simkey(L"F1").exitCode, 1u);
        const ProcessResult report = Ctl({L"report"});
        EXPECT_EQ(report.exitCode, kOk) << testing::PrintToString(report);

        EXPECT_EQ(FunCfg(), garbage);
    }
}

TEST_F(KeyTableTest, ClearRemovesSectionsAndRewritesTheTable)
{
    WriteFunCfg("[F1]\r\nType=3\r\n1=C:\\\r\n"
                "[F2]\r\nType=2\r\nCount=1\r\n1=ab\r\n"
                "[F3]\r\nType=129\r\nCount=2\r\n1_code=0x1020304\r\n2_code=5\r\n"
                "[F3_UI]\r\n1_status=1\r\n");

    const ProcessResult one = Ctl({L"clear", L"1"});
    ASSERT_EQ(one.exitCode, kOk) << testing::PrintToString(one);
    EXPECT_EQ(one.out, "cleared F1; wrote the key table: 8 records, 18 data bytes\n");
    EXPECT_THAT(Sections(FunCfg().value_or("")), ElementsAre("F2", "F3", "F3_UI"));
    auto table = KeyTable();
    ASSERT_TRUE(table.has_value());
    EXPECT_TRUE(IsConsistentTable(*table));
    // F2 moves up to record 6.
    EXPECT_THAT(KeyRecords(*table), ElementsAre(Pair(KeyRecordHeader(2, 2, 4), testing::_),
                                                Pair(KeyRecordHeader(3, 129, 8), "04 03 02 01 05 00 00 00")));

    const ProcessResult all = Ctl({L"clear", L"all"});
    ASSERT_EQ(all.exitCode, kOk) << testing::PrintToString(all);
    EXPECT_EQ(all.out, "cleared all keys; wrote the key table: 6 records, 6 data bytes\n");
    // The macro's second section goes with it.
    EXPECT_THAT(Sections(FunCfg().value_or("")), IsEmpty());
    table = KeyTable();
    ASSERT_TRUE(table.has_value());
    EXPECT_TRUE(IsConsistentTable(*table));
    EXPECT_EQ(Hex(*table, 0, 3), "FF 00 C6");
    EXPECT_EQ((*table)[kRecordCountAt], 6);

    const auto log = CallLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Biosgateex AcpiSetItemBuffer 0x13060030 3 buf 4096"), 2);
}

TEST_F(KeyTableTest, ClearOfNoValidKeyIsAUsageErrorAndChangesNothing)
{
    WriteFunCfg("[F1]\r\nType=3\r\n1=C:\\\r\n");
    ASSERT_EQ(Ctl({L"build"}).exitCode, kOk);
    const TreeSnapshot before = Snapshot(Root());

    const std::vector<std::vector<std::wstring>> calls = {
        {L"clear", L"0"}, {L"clear", L"11"}, {L"clear", L"x"}, {L"clear", L"-1"},
        {L"clear", L"1x"}, {L"clear", L""}, {L"clear"}, {L"clear", L"1", L"2"},
    };
    for (const auto& arguments : calls) {
        const ProcessResult clear = Ctl(arguments);
        SCOPED_TRACE(testing::PrintToString(clear));
        EXPECT_EQ(clear.exitCode, kUsage);
        EXPECT_THAT(clear.err, StartsWith("usage: keyconfigctl"));
        EXPECT_EQ(clear.out, "");
    }
    EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
}

}  // namespace
