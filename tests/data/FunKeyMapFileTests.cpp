#include "ProgramFolderIni.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

// FunKeyMap.cfg lists the built-in functions: name, button position on the Function Keys page and
// the code the controller receives. Function id = 399 + entry number.
namespace {

constexpr int DriveEjectorId = 429;
constexpr int NextAudioOutputId = 430;
constexpr int DriveEjectorCode = -4;
constexpr int NextAudioOutputCode = -5;

// Button size and the page's layout on the main window.
constexpr int ButtonWidth = 88;
constexpr int ButtonHeight = 46;
constexpr RECT PageArea = {300, 100, 1166, 497}; // right edge of the content, top of Apply
constexpr int TitleWidth = 388;
constexpr int TitleHeight = 22;
constexpr POINT GroupTitles[] = {{300, 100}, {300, 237}, {300, 372}, {778, 100}};
constexpr RECT ApplyButton = {970, 497, 1166, 531};

// The project's code convention for the controller.
constexpr unsigned ConsumerPage = 0x0C0000;
constexpr unsigned SystemControlPage = 0x010000;
constexpr unsigned KeyboardPage = 0x070000;

// HID keyboard modifier bits (left keys).
constexpr unsigned Ctrl = 0x01;
constexpr unsigned Shift = 0x02;
constexpr unsigned Alt = 0x04;
constexpr unsigned Win = 0x08;

constexpr unsigned Letter(char c)
{
    return 0x04 + static_cast<unsigned>(c - 'a'); // HID usages of 'a' to 'z' run in order
}
constexpr unsigned EscapeKey = 0x29;
constexpr unsigned PrintScreenKey = 0x46;

// What each function must do, written out from the HID usage tables.
struct Function {
    const wchar_t* name;
    int code;
};
constexpr int Consumer(unsigned usage)
{
    return static_cast<int>(ConsumerPage | usage);
}
constexpr int SystemControl(unsigned usage)
{
    return static_cast<int>(SystemControlPage | usage);
}
constexpr int Keys(unsigned modifiers, unsigned usage)
{
    return static_cast<int>(KeyboardPage | (usage << 8) | modifiers);
}
const Function Functions[] = {
    {L"Play/Pause", Consumer(0xCD)},       {L"Stop", Consumer(0xB7)},
    {L"Previous Track", Consumer(0xB6)},   {L"Next Track", Consumer(0xB5)},
    {L"Volume Up", Consumer(0xE9)},        {L"Volume Down", Consumer(0xEA)},
    {L"Mute", Consumer(0xE2)},             {L"Calculator", Consumer(0x192)},
    {L"Web Browser", Consumer(0x196)},     {L"Email", Consumer(0x18A)},
    {L"File Explorer", Consumer(0x194)},   {L"Media Player", Consumer(0x183)},
    {L"Search", Consumer(0x221)},          {L"Browser Home", Consumer(0x223)},
    {L"Favorites", Consumer(0x22A)},       {L"Win Key Lock", -1},
    {L"Alt+Tab Lock", -2},                 {L"Alt+F4 Lock", -3},
    {L"Game Overlay", Keys(Win, Letter('g'))},
    {L"Record Clip", Keys(Win | Alt, Letter('r'))},
    {L"Screenshot", Keys(Win, PrintScreenKey)},
    {L"Sleep", SystemControl(0x82)},
    {L"Lock Computer", Keys(Win, Letter('l'))},
    {L"Show Desktop", Keys(Win, Letter('d'))},
    {L"Task Manager", Keys(Ctrl | Shift, EscapeKey)},
    {L"Screen Snip", Keys(Win | Shift, Letter('s'))},
    {L"Copy", Keys(Ctrl, Letter('c'))},    {L"Paste", Keys(Ctrl, Letter('v'))},
    {L"Undo", Keys(Ctrl, Letter('z'))},
    {L"Safely Remove Drives", DriveEjectorCode},
    {L"Next Audio Output", NextAudioOutputCode},
};

struct Entry {
    int number;
    int id;
    std::wstring name;
    RECT button;
    int code;
};

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

class FunKeyMapFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ini.Exists());
        const int count = ini.Int(L"Info", L"count", -1);
        for (int number = 1; number <= count; ++number) {
            const std::wstring row = std::to_wstring(number);
            const int x = ini.Int(L"FunKey", row + L"_x", -1);
            const int y = ini.Int(L"FunKey", row + L"_y", -1);
            entries.push_back({number, 399 + number, ini.Text(L"FunKey", row + L"_dis"),
                               RECT{x, y, x + ButtonWidth, y + ButtonHeight},
                               ini.Int(L"FunKey", row + L"_code", 0)});
        }
    }

    const Entry* ById(int id) const
    {
        for (const Entry& entry : entries) {
            if (entry.id == id) {
                return &entry;
            }
        }
        return nullptr;
    }

    ProgramFolderIni ini{L"FunKeyMap.cfg"};
    std::vector<Entry> entries;
};

TEST_F(FunKeyMapFile, HoldsExactlyTheNumberedEntriesItCounts)
{
    const int count = ini.Int(L"Info", L"count", -1);
    EXPECT_EQ(count, static_cast<int>(std::size(Functions)));
    EXPECT_EQ(ini.Sections(), (std::vector<std::wstring>{L"Info", L"FunKey"}));
    EXPECT_EQ(ini.Keys(L"Info"), (std::vector<std::wstring>{L"count"}));
    EXPECT_EQ(SortedKeys(ini, L"FunKey"), NumberedKeys(count, {L"_dis", L"_x", L"_y", L"_code"}));
}

TEST_F(FunKeyMapFile, HostSideFunctionsAreEntries30And31)
{
    const Entry* ejector = ById(DriveEjectorId);
    const Entry* audio = ById(NextAudioOutputId);
    ASSERT_NE(ejector, nullptr);
    ASSERT_NE(audio, nullptr);
    EXPECT_EQ(ejector->number, 30);
    EXPECT_EQ(ejector->code, DriveEjectorCode);
    EXPECT_EQ(audio->number, 31);
    EXPECT_EQ(audio->code, NextAudioOutputCode);
    for (const Entry& entry : entries) {
        if (entry.id != DriveEjectorId && entry.id != NextAudioOutputId) {
            EXPECT_GE(entry.code, -3) << "only the host-side functions are reported back";
        }
    }
}

TEST_F(FunKeyMapFile, SpecialCodesAppearOnceEachAndEveryOtherCodeIsSet)
{
    std::map<int, int> uses;
    for (const Entry& entry : entries) {
        ++uses[entry.code];
        EXPECT_NE(entry.code, 0) << testing::PrintToString(entry.name);
    }
    for (int special = -5; special <= -1; ++special) {
        EXPECT_EQ(uses[special], 1) << special;
    }
}

TEST_F(FunKeyMapFile, EveryFunctionSendsWhatItsNameSays)
{
    ASSERT_EQ(entries.size(), std::size(Functions));
    std::set<std::wstring> seen;
    for (const Entry& entry : entries) {
        SCOPED_TRACE(testing::PrintToString(entry.name));
        EXPECT_TRUE(seen.insert(entry.name).second) << "name used twice";
        EXPECT_FALSE(entry.name.empty());
        EXPECT_LE(entry.name.size(), 20u) << "the rename dialog keeps 20 characters";
        const Function* expected = nullptr;
        for (const Function& function : Functions) {
            if (entry.name == function.name) {
                expected = &function;
            }
        }
        ASSERT_NE(expected, nullptr) << "unknown function";
        EXPECT_EQ(entry.code, expected->code) << std::hex << "0x" << entry.code << " should be 0x"
                                              << expected->code;
    }
}

TEST_F(FunKeyMapFile, ButtonsLieOnThePageWithoutCoveringEachOther)
{
    for (const Entry& entry : entries) {
        SCOPED_TRACE(testing::PrintToString(entry.name));
        const RECT& b = entry.button;
        EXPECT_GE(b.left, PageArea.left);
        EXPECT_GE(b.top, PageArea.top);
        EXPECT_LE(b.right, PageArea.right);
        EXPECT_LE(b.bottom, PageArea.bottom);
        EXPECT_FALSE(Overlap(b, ApplyButton));
        for (const POINT& title : GroupTitles) {
            const RECT bar = {title.x, title.y, title.x + TitleWidth, title.y + TitleHeight};
            EXPECT_FALSE(Overlap(b, bar)) << "covers the title at " << title.x << "," << title.y;
        }
        for (const Entry& other : entries) {
            if (other.number > entry.number) {
                EXPECT_FALSE(Overlap(b, other.button))
                    << "covers " << testing::PrintToString(other.name);
            }
        }
    }
}

} // namespace
