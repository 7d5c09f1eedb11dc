#include "EcBuffer.h"
#include "FakeControllerPort.h"
#include "FunData.h"
#include "FunctionTable.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Table = ControllerPort::Table;
using Bytes = std::vector<std::uint8_t>;

// An empty map for every key, then the given key assigned in memory.
_FunData& Assign(int n, int type, const std::wstring& value1 = L"", int count = 1, const std::wstring& value2 = L"")
{
    for (int k = 1; k <= 10; ++k)
        FunDataMap().try_emplace(FunSection(k));
    _FunData& data = FunDataMap()[FunSection(n)];
    data.Type = type;
    data.Count = count;
    CopyField(data.Value[0], value1);
    CopyField(data.Value[1], value2);
    return data;
}

void AddFunction(int id, std::int32_t code)
{
    _FunKey key;
    key.Id = id;
    key.Code = code;
    FunKeyMap()[id] = key;
}

// Key codes of the US layout rows this test needs.
void LoadUsKeyCodes()
{
    for (wchar_t c = L'a'; c <= L'z'; ++c)
        KeyCodeMap()[std::wstring(1, c)] = (0x04 + (c - L'a')) << 8;
    for (wchar_t c = L'A'; c <= L'Z'; ++c)
        KeyCodeMap()[std::wstring(1, c)] = ((0x04 + (c - L'A')) << 8) | 0x02;
    KeyCodeMap()[L" "] = 0x2C00;
    KeyCodeMap()[L"TAB"] = 0x2B00;
}

Bytes Slice(const Table& table, std::size_t from, std::size_t count)
{
    return Bytes(table.begin() + from, table.begin() + from + count);
}

int DeclaredLength(const Table& table)
{
    return (table[1] << 8) | table[2];
}

Bytes RecordAt(const Table& table, std::size_t k)
{
    return Slice(table, 36 + 6 * k, 6);
}

// Offset of record k's data: right after the data of the records before it.
std::size_t DataOffset(const Table& table, std::size_t k)
{
    std::size_t offset = 195;
    for (std::size_t i = 0; i < k; ++i)
        offset += table[36 + 6 * i + 1];
    return offset;
}

Bytes DataOf(const Table& table, std::size_t k)
{
    return Slice(table, DataOffset(table, k), table[36 + 6 * k + 1]);
}

// Every table must describe itself consistently: header length, counts and zeros after the data.
void ExpectConsistent(const Table& table)
{
    ASSERT_EQ(table[0], 0xFF);
    const std::size_t records = table[35];
    ASSERT_LE(records, 26u);
    const std::size_t end = DataOffset(table, records);
    ASSERT_LE(end, 4096u);
    EXPECT_EQ(static_cast<std::size_t>(DeclaredLength(table)), end - 3);
    for (std::size_t i = 36 + 6 * records; i < 195; ++i)
        ASSERT_EQ(table[i], 0) << "byte " << i;
    for (std::size_t i = end; i < table.size(); ++i)
        ASSERT_EQ(table[i], 0) << "byte " << i;
}

const Bytes kFixedRecords = {
    0x07, 0x01, 0x00, 0x44, 0x00, 0x00, 0x07, 0x01, 0x00, 0x45, 0x00, 0x00, 0x07, 0x01, 0x00, 0x4C, 0x00, 0x00,
    0x07, 0x01, 0x00, 0x28, 0x00, 0x00, 0x07, 0x01, 0x00, 0x58, 0x00, 0x00, 0x07, 0x01, 0x00, 0x06, 0x0F, 0x15,
};

} // namespace

TEST(EcBuffer, WorkedExampleOneShortcutKey)
{
    ScratchFolder folder;
    Assign(1, 3, L"C:\\Windows");

    Table expected{};
    expected[0] = 0xFF;
    expected[1] = 0x00;
    expected[2] = 0xC6;
    expected[35] = 0x07;
    std::copy(kFixedRecords.begin(), kFixedRecords.end(), expected.begin() + 36);
    const Bytes f1 = {0x03, 0x00, 0x00, 0x3A, 0x00, 0x00};
    std::copy(f1.begin(), f1.end(), expected.begin() + 72);
    const Bytes fixedData = {8, 6, 2, 1, 1, 3};
    std::copy(fixedData.begin(), fixedData.end(), expected.begin() + 195);

    EXPECT_EQ(AssembleEcBuffer(), expected);

    FakeControllerPort port;
    BuildEcBuffer(port);
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0], expected);

    // Without keys only the record count changes.
    FindFunData(1)->Type = 0;
    expected[35] = 0x06;
    std::fill_n(expected.begin() + 72, 6, std::uint8_t{0});
    EXPECT_EQ(AssembleEcBuffer(), expected);
    EXPECT_EQ(FixedEcBuffer(), expected);
}

TEST(EcBuffer, KeysTakeTheNextRecordsInKeyOrder)
{
    ScratchFolder folder;
    AddFunction(400, 258);
    Assign(5, 4, L"400");
    Assign(2, 3, L"C:\\x");
    Assign(10, 3, L"C:\\y");
    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    EXPECT_EQ(table[35], 9);
    EXPECT_EQ(RecordAt(table, 6), (Bytes{0x03, 0x00, 0x00, 0x3B, 0x00, 0x00}));
    EXPECT_EQ(RecordAt(table, 7), (Bytes{0x04, 0x04, 0x00, 0x3E, 0x00, 0x00}));
    EXPECT_EQ(RecordAt(table, 8), (Bytes{0x03, 0x00, 0x00, 0x43, 0x00, 0x00}));
}

TEST(EcBuffer, TypedTextEncodesEachCharacterModifierFirst)
{
    ScratchFolder folder;
    LoadUsKeyCodes();
    KeyCodeMap()[L"'"] = 0x1111; // never looked up
    KeyCodeMap()[L"\""] = 0x2222;

    Assign(1, 2, L"aB");
    Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    EXPECT_EQ(RecordAt(table, 6), (Bytes{0x02, 0x04, 0x00, 0x3A, 0x00, 0x00}));
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x04, 0x02, 0x05}));
    EXPECT_EQ(DeclaredLength(table), 198 + 4);

    Assign(1, 2, L"'\"");
    table = AssembleEcBuffer();
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x34, 0x02, 0x34}));
}

TEST(EcBuffer, SecondTextFollowsTheTabCode)
{
    ScratchFolder folder;
    LoadUsKeyCodes();

    Assign(1, 2, L"ab", 2, L"");
    Table table = AssembleEcBuffer();
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x04, 0x00, 0x05, 0x00, 0x2B}));

    Assign(1, 2, L"a", 2, L"c d");
    table = AssembleEcBuffer();
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x04, 0x00, 0x2B, 0x00, 0x06, 0x00, 0x2C, 0x00, 0x07}));

    // With Count 1 a left-over second text is not typed.
    Assign(1, 2, L"a", 1, L"c");
    table = AssembleEcBuffer();
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x04}));
}

TEST(EcBuffer, CharactersAndTabWithoutCodeAreLeftOutAndMapsStayUnchanged)
{
    ScratchFolder folder;
    KeyCodeMap()[L"a"] = 0x0400;
    Assign(1, 2, L"a\x00E9" L"a\x4E2D", 2, L"a");
    const std::size_t mapSize = KeyCodeMap().size();

    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    EXPECT_EQ(RecordAt(table, 6)[1], 6);
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x00, 0x04, 0x00, 0x04, 0x00, 0x04}));
    EXPECT_EQ(KeyCodeMap().size(), mapSize);
    EXPECT_EQ(KeyCodeMap().count(L"TAB"), 0u);
}

TEST(EcBuffer, LongTextsAreCutToWholeCodesWithinOneRecord)
{
    ScratchFolder folder;
    LoadUsKeyCodes();
    // Both fields full: 259 + 1 + 259 codes would need 1038 bytes.
    Assign(1, 2, std::wstring(259, L'a'), 2, std::wstring(259, L'b'));
    Assign(2, 2, std::wstring(126, L'a'), 2, L"bc");
    AddFunction(400, 0x01020304);
    Assign(3, 4, L"400");

    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    ASSERT_EQ(table[35], 9);
    const Bytes first = DataOf(table, 6);
    ASSERT_EQ(first.size(), 254u);
    for (std::size_t i = 0; i < first.size(); i += 2)
        EXPECT_EQ((Bytes{first[i], first[i + 1]}), (Bytes{0x00, 0x04}));
    // 126 codes, TAB makes 127; "b" would pass 255 bytes and is dropped with what follows.
    const Bytes second = DataOf(table, 7);
    ASSERT_EQ(second.size(), 254u);
    EXPECT_EQ((Bytes{second[250], second[251], second[252], second[253]}), (Bytes{0x00, 0x04, 0x00, 0x2B}));
    // The next key's data is its own, whatever the keys before it held.
    EXPECT_EQ(RecordAt(table, 8), (Bytes{0x04, 0x04, 0x00, 0x3C, 0x00, 0x00}));
    EXPECT_EQ(DataOf(table, 8), (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(EcBuffer, MacroTakesItsCodeWordsFromFunCfg)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F4]\r\n1=1\r\n2=2\r\n3=3\r\nType=129\r\nCount=3\r\n"
                                 "1_code=0x1a0023a\r\n2_code=0x140185c\r\n3_code=0x8000000f\r\n4_code=0x99\r\n");
    _FunData& data = Assign(4, 129, L"999", 3);
    CopyField(data.Value[1], L"888");

    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    EXPECT_EQ(RecordAt(table, 6), (Bytes{0x81, 0x0C, 0x00, 0x3D, 0x00, 0x00}));
    EXPECT_EQ(DataOf(table, 6), (Bytes{0x3A, 0x02, 0xA0, 0x01, 0x5C, 0x18, 0x40, 0x01, 0x0F, 0x00, 0x00, 0x80}));
}

TEST(EcBuffer, MacroStepCountIsKeptWithinFifteen)
{
    ScratchFolder folder;
    std::string funCfg = "[F1]\r\nType=129\r\n";
    for (int l = 1; l <= 40; ++l)
        funCfg += std::to_string(l) + "_code=" + std::to_string(l) + "\r\n";
    funCfg += "[F2]\r\nType=129\r\n1_code=7\r\n";
    folder.WriteAnsi(L"fun.cfg", funCfg);
    Assign(1, 129, L"", 100000);
    Assign(2, 129, L"", -5);
    Assign(3, 129, L"", 0);

    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    ASSERT_EQ(table[35], 9);
    const Bytes first = DataOf(table, 6);
    ASSERT_EQ(first.size(), 60u);
    EXPECT_EQ((Bytes{first[56], first[57], first[58], first[59]}), (Bytes{15, 0, 0, 0}));
    EXPECT_EQ(RecordAt(table, 7)[1], 0);
    EXPECT_EQ(RecordAt(table, 8)[1], 0);
}

TEST(EcBuffer, FunctionCodesSelectTheRecordKind)
{
    ScratchFolder folder;
    AddFunction(400, -1);
    AddFunction(401, -2);
    AddFunction(402, -3);
    AddFunction(403, -4);
    AddFunction(404, -5);
    AddFunction(405, 258);
    AddFunction(406, 0);
    AddFunction(407, 7);
    Assign(1, 4, L"400");
    Assign(2, 4, L"401");
    Assign(3, 4, L"402");
    Assign(4, 4, L"403");
    Assign(5, 4, L"404");
    Assign(6, 4, L"405");
    Assign(7, 4, L"406");
    Assign(8, 5, L"407");
    Assign(9, 8, L"401");

    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    ASSERT_EQ(table[35], 15);
    const Bytes expectedKindAndLength[] = {{5, 0}, {6, 0}, {8, 0}, {3, 0}, {3, 0}, {4, 4}, {4, 4}, {5, 4}, {6, 0}};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(Slice(table, 36 + 6 * (6 + i), 2), expectedKindAndLength[i]) << "F" << i + 1;
    EXPECT_EQ(DataOf(table, 11), (Bytes{0x02, 0x01, 0x00, 0x00}));
    EXPECT_EQ(DataOf(table, 12), (Bytes{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(DataOf(table, 13), (Bytes{0x07, 0x00, 0x00, 0x00}));
}

TEST(EcBuffer, FunctionIdIsReadAsADecimalNumber)
{
    ScratchFolder folder;
    AddFunction(429, -4);
    AddFunction(405, 258);
    Assign(1, 4, L"0429");
    Assign(2, 4, L"429 ");
    Assign(3, 4, L" 405");
    const Table table = AssembleEcBuffer();
    ASSERT_EQ(table[35], 9);
    EXPECT_EQ(RecordAt(table, 6)[0], 3);
    EXPECT_EQ(RecordAt(table, 7)[0], 3);
    EXPECT_EQ(DataOf(table, 8), (Bytes{0x02, 0x01, 0x00, 0x00}));
}

TEST(EcBuffer, FunctionKeysWithoutAKnownFunctionGetNoRecord)
{
    ScratchFolder folder;
    Assign(1, 4, L"400"); // table not loaded
    Table table = AssembleEcBuffer();
    EXPECT_EQ(table[35], 6);
    EXPECT_TRUE(FunKeyMap().empty());

    AddFunction(400, 258);
    Assign(1, 4, L"401");
    Assign(2, 4, L"abc");
    Assign(3, 4, L"");
    Assign(4, 4, L"99999999999");
    Assign(5, 4, L"4 00");
    Assign(6, 4, L"400");
    table = AssembleEcBuffer();
    ExpectConsistent(table);
    ASSERT_EQ(table[35], 7);
    EXPECT_EQ(RecordAt(table, 6), (Bytes{0x04, 0x04, 0x00, 0x3F, 0x00, 0x00}));
    EXPECT_EQ(FunKeyMap().size(), 1u);
}

TEST(EcBuffer, UnknownTypesGetNoRecord)
{
    ScratchFolder folder;
    LoadUsKeyCodes();
    Assign(1, 2, L"abc");
    Assign(2, 77, L"abc", 30);
    Assign(3, 10, L"abc");
    Assign(4, -1);
    Assign(5, 3);
    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    ASSERT_EQ(table[35], 8);
    EXPECT_EQ(RecordAt(table, 6)[3], 0x3A);
    EXPECT_EQ(RecordAt(table, 7), (Bytes{0x03, 0x00, 0x00, 0x3E, 0x00, 0x00}));
}

TEST(EcBuffer, SecondKeyDataFollowsTheFirstAndTheHeaderGrowsByBoth)
{
    ScratchFolder folder;
    LoadUsKeyCodes();
    AddFunction(400, 0x0A0B0C0D);
    Assign(3, 2, L"xyz");
    Assign(7, 4, L"400");
    const Table table = AssembleEcBuffer();
    ExpectConsistent(table);
    EXPECT_EQ(DeclaredLength(table), 198 + 6 + 4);
    EXPECT_EQ(Slice(table, 201, 10), (Bytes{0x00, 0x1B, 0x00, 0x1C, 0x00, 0x1D, 0x0D, 0x0C, 0x0B, 0x0A}));
}

TEST(EcBuffer, PagesAreToldWhichKeyIsEncoded)
{
    ScratchFolder folder;
    LoadUsKeyCodes();
    AddFunction(400, 1);
    Assign(1, 129);
    Assign(2, 4, L"400");
    Assign(3, 3);
    Assign(4, 2, L"a");
    Assign(5, 5, L"999");
    Assign(6, 77);
    Assign(7, 3);
    Assign(8, 129);

    RecordingObserver macro, function, shortcut;
    FakeControllerPort port;
    BuildEcBuffer(port, {&macro, &function, &shortcut});
    EXPECT_EQ(macro.keys, (std::vector<int>{1, 8}));
    EXPECT_EQ(function.keys, (std::vector<int>{2, 5}));
    EXPECT_EQ(shortcut.keys, (std::vector<int>{3, 7}));

    // Absent pages are simply not told.
    BuildEcBuffer(port, {nullptr, &function, nullptr});
    EXPECT_EQ(function.keys.size(), 4u);
    EXPECT_EQ(port.written.size(), 2u);
}

TEST(EcBuffer, AppendFunKeyItemsWritesACopyWithTheKeys)
{
    ScratchFolder folder;
    Assign(2, 3);
    const Table fixed = FixedEcBuffer();
    FakeControllerPort port;
    AppendFunKeyItems(fixed, port);
    EXPECT_EQ(fixed[35], 6);
    ASSERT_EQ(port.written.size(), 1u);
    EXPECT_EQ(port.written[0][35], 7);
    EXPECT_EQ(port.written[0], AssembleEcBuffer());
}

TEST(EcBuffer, AppendEcBufferItemKeepsTheTableWithinItsLimits)
{
    Table table{};
    const std::uint8_t data[256] = {1, 2, 3};

    EXPECT_FALSE(AppendEcBufferItem(2, 256, 0, 0x3A, 0, 0, data, table));
    EXPECT_FALSE(AppendEcBufferItem(2, -1, 0, 0x3A, 0, 0, data, table));
    EXPECT_FALSE(AppendEcBufferItem(2, 4, 0, 0x3A, 0, 0, std::span(data, 3), table));
    EXPECT_EQ(table, Table{});

    // Fifteen full records, then one that takes exactly the rest of the data area.
    for (int i = 0; i < 15; ++i)
        ASSERT_TRUE(AppendEcBufferItem(2, 255, 0, 0x3A, 0, 0, data, table)) << i;
    EXPECT_FALSE(AppendEcBufferItem(2, 255, 0, 0x3A, 0, 0, data, table));
    EXPECT_TRUE(AppendEcBufferItem(2, 4096 - 195 - 15 * 255, 0, 0x3A, 0, 0, data, table));
    EXPECT_FALSE(AppendEcBufferItem(2, 1, 0, 0x3A, 0, 0, data, table));
    ExpectConsistent(table);
    EXPECT_EQ(DeclaredLength(table), 4093);

    // Records without data stop at 26.
    Table records{};
    for (int i = 0; i < 26; ++i)
        ASSERT_TRUE(AppendEcBufferItem(3, 0, 0, 0x3A, 0, 0, {}, records)) << i;
    const Table full = records;
    EXPECT_FALSE(AppendEcBufferItem(3, 0, 0, 0x3A, 0, 0, {}, records));
    EXPECT_EQ(records, full);
    ExpectConsistent(records);
}

TEST(EcBuffer, AppendEcBufferItemStoresHeaderAndReservedBytes)
{
    Table table{};
    const std::uint8_t data[] = {0xA1, 0xA2, 0xA3, 0xA4};
    ASSERT_TRUE(AppendEcBufferItem(10, 4, 0x05, 0x06, 0x07, 0x08, data, table));
    EXPECT_EQ(Slice(table, 0, 6), (Bytes{0xFF, 0x00, 0xC4, 0xA1, 0xA2, 0xA3}));
    EXPECT_EQ(table[35], 1);
    EXPECT_EQ(RecordAt(table, 0), (Bytes{0x0A, 0x04, 0x05, 0x06, 0x07, 0x08}));
    EXPECT_EQ(Slice(table, 195, 4), (Bytes{0xA1, 0xA2, 0xA3, 0xA4}));

    // Any later record of another kind clears the reserved bytes again; kinds keep their low byte.
    ASSERT_TRUE(AppendEcBufferItem(0x181, 0, 0, 0x3B, 0, 0, {}, table));
    EXPECT_EQ(Slice(table, 3, 3), (Bytes{0, 0, 0}));
    EXPECT_EQ(RecordAt(table, 1)[0], 0x81);
}
