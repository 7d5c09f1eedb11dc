#include "ProgramFolderIni.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

// KeyMap.cfg turns each character of a typed text into the key the controller presses:
// (HID keyboard usage << 8) | modifier bits. A wrong row types the wrong character.
namespace {

constexpr unsigned NoModifier = 0x00;
constexpr unsigned LeftShift = 0x02;

// The US layout on the HID keyboard page, written out independently of the data file.
struct UsKey {
    unsigned usage;
    char plain;
    char shifted; // '\0': the key types nothing else with Shift that a text needs
};
constexpr UsKey UsKeys[] = {
    {0x1E, '1', '!'}, {0x1F, '2', '@'}, {0x20, '3', '#'}, {0x21, '4', '$'}, {0x22, '5', '%'},
    {0x23, '6', '^'}, {0x24, '7', '&'}, {0x25, '8', '*'}, {0x26, '9', '('}, {0x27, '0', ')'},
    {0x2C, ' ', '\0'}, // space bar
    {0x2D, '-', '_'}, {0x2E, '=', '+'}, {0x2F, '[', '{'}, {0x30, ']', '}'}, {0x31, '\\', '|'},
    {0x33, ';', ':'}, {0x34, '\'', '"'}, {0x35, '`', '~'}, {0x36, ',', '<'}, {0x37, '.', '>'},
    {0x38, '/', '?'},
};
constexpr unsigned TabUsage = 0x2B;
constexpr unsigned FirstLetterUsage = 0x04; // 'a'; the letters follow in order

constexpr unsigned KeyCode(unsigned usage, unsigned modifiers)
{
    return (usage << 8) | modifiers;
}

// Every character a typed text may hold, with the key code that types it.
std::map<wchar_t, unsigned> UsLayoutCodes()
{
    std::map<wchar_t, unsigned> codes;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const unsigned usage = FirstLetterUsage + static_cast<unsigned>(letter - 'a');
        codes.emplace(letter, KeyCode(usage, NoModifier));
        codes.emplace(letter - 'a' + 'A', KeyCode(usage, LeftShift));
    }
    for (const UsKey& key : UsKeys) {
        EXPECT_TRUE(codes.emplace(key.plain, KeyCode(key.usage, NoModifier)).second) << key.plain;
        if (key.shifted) {
            EXPECT_TRUE(codes.emplace(key.shifted, KeyCode(key.usage, LeftShift)).second)
                << key.shifted;
        }
    }
    return codes;
}

bool IsQuote(wchar_t c)
{
    return c == L'\'' || c == L'"';
}

class KeyMapFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ini.Exists()) << "missing: " << testing::PrintToString(ini.Path()); }

    ProgramFolderIni ini{L"KeyMap.cfg"};
};

TEST_F(KeyMapFile, IndependentLayoutCoversPrintableAscii)
{
    const auto codes = UsLayoutCodes();
    EXPECT_EQ(codes.size(), 95u);
    for (wchar_t c = 0x20; c <= 0x7E; ++c) {
        EXPECT_EQ(codes.count(c), 1u) << static_cast<char>(c);
    }
}

TEST_F(KeyMapFile, HoldsExactlyTheNumberedRowsItCounts)
{
    const int count = ini.Int(L"Info", L"count", -1);
    EXPECT_EQ(ini.Sections(), (std::vector<std::wstring>{L"Info", L"KeyCode"}));
    EXPECT_EQ(ini.Keys(L"Info"), (std::vector<std::wstring>{L"count"}));
    EXPECT_EQ(SortedKeys(ini, L"KeyCode"), NumberedKeys(count, {L"_dis", L"_key"}));
}

TEST_F(KeyMapFile, EveryRowTypesItsCharacterOnAUsKeyboard)
{
    const auto codes = UsLayoutCodes();
    const int count = ini.Int(L"Info", L"count", -1);
    ASSERT_GT(count, 0);
    for (int row = 1; row <= count; ++row) {
        const std::wstring text = ini.Text(L"KeyCode", std::to_wstring(row) + L"_dis");
        const std::wstring codeText = ini.Text(L"KeyCode", std::to_wstring(row) + L"_key");
        const unsigned code =
            static_cast<unsigned>(ini.Int(L"KeyCode", std::to_wstring(row) + L"_key", -1));
        SCOPED_TRACE("row " + std::to_string(row) + " " + testing::PrintToString(text));
        ASSERT_NE(codeText, ProgramFolderIni::Missing);
        EXPECT_EQ(codeText, std::to_wstring(code)) << "codes are plain decimal";
        if (text == L"TAB") {
            EXPECT_EQ(code, KeyCode(TabUsage, NoModifier));
            continue;
        }
        ASSERT_EQ(text.size(), 1u);
        EXPECT_FALSE(IsQuote(text[0])) << "the quotes have fixed codes and no row";
        const auto expected = codes.find(text[0]);
        ASSERT_NE(expected, codes.end());
        EXPECT_EQ(code, expected->second) << std::hex << "0x" << code << " should be 0x"
                                          << expected->second;
    }
}

TEST_F(KeyMapFile, EveryCharacterButTheQuotesAndTabHaveExactlyOneRow)
{
    const int count = ini.Int(L"Info", L"count", -1);
    std::map<std::wstring, int> rows;
    for (int row = 1; row <= count; ++row) {
        ++rows[ini.Text(L"KeyCode", std::to_wstring(row) + L"_dis")];
    }
    for (wchar_t c = 0x20; c <= 0x7E; ++c) {
        EXPECT_EQ(rows[std::wstring(1, c)], IsQuote(c) ? 0 : 1) << "'" << static_cast<char>(c) << "'";
    }
    EXPECT_EQ(rows[L"TAB"], 1);
    EXPECT_EQ(count, 95 - 2 + 1);
}

} // namespace
