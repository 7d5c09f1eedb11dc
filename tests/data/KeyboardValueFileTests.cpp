#include "ProgramFolderIni.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

// KeyboardValue.cfg lists the keys a macro may record: the virtual-key code a low-level keyboard
// hook reports, the step text, and the device code (extended key: scan code << 8; other keys:
// scan code << 16) from which the macro's code words take scan code and extended flag.
namespace {

struct Key {
    UINT vk;
    const wchar_t* text;
    unsigned scan; // PC set-1 make code
    bool extended;
};

// Written from winuser.h and the set-1 scan code table, independently of the data file. The
// digit texts of both the main row and the keypad must be the bare digits: the key-step dialog
// builds delays from them.
const Key Keys[] = {
    {'A', L"A", 0x1E, false}, {'B', L"B", 0x30, false}, {'C', L"C", 0x2E, false},
    {'D', L"D", 0x20, false}, {'E', L"E", 0x12, false}, {'F', L"F", 0x21, false},
    {'G', L"G", 0x22, false}, {'H', L"H", 0x23, false}, {'I', L"I", 0x17, false},
    {'J', L"J", 0x24, false}, {'K', L"K", 0x25, false}, {'L', L"L", 0x26, false},
    {'M', L"M", 0x32, false}, {'N', L"N", 0x31, false}, {'O', L"O", 0x18, false},
    {'P', L"P", 0x19, false}, {'Q', L"Q", 0x10, false}, {'R', L"R", 0x13, false},
    {'S', L"S", 0x1F, false}, {'T', L"T", 0x14, false}, {'U', L"U", 0x16, false},
    {'V', L"V", 0x2F, false}, {'W', L"W", 0x11, false}, {'X', L"X", 0x2D, false},
    {'Y', L"Y", 0x15, false}, {'Z', L"Z", 0x2C, false},
    {'1', L"1", 0x02, false}, {'2', L"2", 0x03, false}, {'3', L"3", 0x04, false},
    {'4', L"4", 0x05, false}, {'5', L"5", 0x06, false}, {'6', L"6", 0x07, false},
    {'7', L"7", 0x08, false}, {'8', L"8", 0x09, false}, {'9', L"9", 0x0A, false},
    {'0', L"0", 0x0B, false},
    {VK_F1, L"F1", 0x3B, false}, {VK_F2, L"F2", 0x3C, false}, {VK_F3, L"F3", 0x3D, false},
    {VK_F4, L"F4", 0x3E, false}, {VK_F5, L"F5", 0x3F, false}, {VK_F6, L"F6", 0x40, false},
    {VK_F7, L"F7", 0x41, false}, {VK_F8, L"F8", 0x42, false}, {VK_F9, L"F9", 0x43, false},
    {VK_F10, L"F10", 0x44, false}, {VK_F11, L"F11", 0x57, false}, {VK_F12, L"F12", 0x58, false},
    {VK_OEM_3, L"`", 0x29, false}, {VK_OEM_MINUS, L"-", 0x0C, false},
    {VK_OEM_PLUS, L"=", 0x0D, false}, {VK_OEM_4, L"[", 0x1A, false},
    {VK_OEM_6, L"]", 0x1B, false}, {VK_OEM_5, L"\\", 0x2B, false},
    {VK_OEM_1, L";", 0x27, false}, {VK_OEM_7, L"'", 0x28, false},
    {VK_OEM_COMMA, L",", 0x33, false}, {VK_OEM_PERIOD, L".", 0x34, false},
    {VK_OEM_2, L"/", 0x35, false},
    {VK_ESCAPE, L"Esc", 0x01, false}, {VK_TAB, L"Tab", 0x0F, false},
    {VK_CAPITAL, L"CapsLk", 0x3A, false}, {VK_BACK, L"BkSp", 0x0E, false},
    {VK_RETURN, L"Enter", 0x1C, false}, {VK_SPACE, L"Space", 0x39, false},
    {VK_LSHIFT, L"LShift", 0x2A, false}, {VK_RSHIFT, L"RShift", 0x36, false},
    {VK_LCONTROL, L"LCtrl", 0x1D, false}, {VK_RCONTROL, L"RCtrl", 0x1D, true},
    {VK_LMENU, L"LAlt", 0x38, false}, {VK_RMENU, L"RAlt", 0x38, true},
    {VK_LWIN, L"LWin", 0x5B, true}, {VK_RWIN, L"RWin", 0x5C, true},
    {VK_APPS, L"Menu", 0x5D, true},
    {VK_SNAPSHOT, L"PrtSc", 0x37, true}, {VK_SCROLL, L"ScrLk", 0x46, false},
    {VK_PAUSE, L"Pause", 0x45, false}, // the hook reports Pause as 0x45 and NumLock as E0 45
    {VK_INSERT, L"Ins", 0x52, true}, {VK_HOME, L"Home", 0x47, true},
    {VK_PRIOR, L"PgUp", 0x49, true}, {VK_DELETE, L"Del", 0x53, true},
    {VK_END, L"End", 0x4F, true}, {VK_NEXT, L"PgDn", 0x51, true},
    {VK_UP, L"Up", 0x48, true}, {VK_DOWN, L"Down", 0x50, true},
    {VK_LEFT, L"Left", 0x4B, true}, {VK_RIGHT, L"Right", 0x4D, true},
    {VK_NUMLOCK, L"NumLk", 0x45, true},
    {VK_NUMPAD0, L"0", 0x52, false}, {VK_NUMPAD1, L"1", 0x4F, false},
    {VK_NUMPAD2, L"2", 0x50, false}, {VK_NUMPAD3, L"3", 0x51, false},
    {VK_NUMPAD4, L"4", 0x4B, false}, {VK_NUMPAD5, L"5", 0x4C, false},
    {VK_NUMPAD6, L"6", 0x4D, false}, {VK_NUMPAD7, L"7", 0x47, false},
    {VK_NUMPAD8, L"8", 0x48, false}, {VK_NUMPAD9, L"9", 0x49, false},
    {VK_DIVIDE, L"Num /", 0x35, true}, {VK_MULTIPLY, L"Num *", 0x37, false},
    {VK_SUBTRACT, L"Num -", 0x4A, false}, {VK_ADD, L"Num +", 0x4E, false},
    {VK_DECIMAL, L"Num .", 0x53, false},
};

const Key* Find(UINT vk)
{
    const auto key = std::find_if(std::begin(Keys), std::end(Keys),
                                  [vk](const Key& k) { return k.vk == vk; });
    return key == std::end(Keys) ? nullptr : key;
}

unsigned DeviceCode(const Key& key)
{
    return key.extended ? key.scan << 8 : key.scan << 16;
}

// The code word of one recorded key, as the macro writer builds it from a device code.
unsigned CodeWord(unsigned deviceCode, unsigned downMs, unsigned upMs)
{
    const bool extended = (deviceCode & 0xFF00) != 0;
    const unsigned scan = extended ? (deviceCode >> 8) & 0xFF : (deviceCode >> 16) & 0xFF;
    return (extended ? 1 : 0) | scan << 1 | std::max(1u, downMs / 10) << 9 |
           std::max(1u, upMs / 10) << 20;
}

struct Row {
    int number;
    std::wstring text;
    UINT vk;
    unsigned code;
};

class KeyboardValueFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ini.Exists());
        const int count = ini.Int(L"Info", L"count", -1);
        for (int number = 1; number <= count; ++number) {
            const std::wstring row = std::to_wstring(number);
            rows.push_back({number, ini.Text(L"Key", row + L"_dis"),
                            static_cast<UINT>(ini.Int(L"Key", row + L"_keyVal", 0)),
                            static_cast<unsigned>(ini.Int(L"Key", row + L"_code", 0))});
        }
    }

    const Row* ByVk(UINT vk) const
    {
        for (const Row& row : rows) {
            if (row.vk == vk) {
                return &row;
            }
        }
        return nullptr;
    }

    ProgramFolderIni ini{L"KeyboardValue.cfg"};
    std::vector<Row> rows;
};

TEST_F(KeyboardValueFile, HoldsExactlyTheNumberedEntriesItCounts)
{
    const int count = ini.Int(L"Info", L"count", -1);
    EXPECT_EQ(count, static_cast<int>(std::size(Keys)));
    EXPECT_EQ(ini.Sections(), (std::vector<std::wstring>{L"Info", L"Key"}));
    EXPECT_EQ(ini.Keys(L"Info"), (std::vector<std::wstring>{L"count"}));
    EXPECT_EQ(SortedKeys(ini, L"Key"), NumberedKeys(count, {L"_dis", L"_keyVal", L"_code"}));
}

TEST_F(KeyboardValueFile, EveryEntryNamesItsKeyAndScanCode)
{
    std::map<UINT, int> uses;
    for (const Row& row : rows) {
        SCOPED_TRACE("entry " + std::to_string(row.number) + " " + testing::PrintToString(row.text));
        ++uses[row.vk];
        const Key* key = Find(row.vk);
        ASSERT_NE(key, nullptr) << "not a key a low-level hook reports: 0x" << std::hex << row.vk;
        EXPECT_EQ(row.text, key->text);
        EXPECT_EQ(row.code, DeviceCode(*key))
            << std::hex << "0x" << row.code << " should be 0x" << DeviceCode(*key);
    }
    for (const Key& key : Keys) {
        EXPECT_EQ(uses[key.vk], 1) << "0x" << std::hex << key.vk;
    }
}

TEST_F(KeyboardValueFile, ModifiersAreTheLeftAndRightKeys)
{
    for (UINT vk : {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU}) {
        EXPECT_NE(ByVk(vk), nullptr) << std::hex << vk;
    }
    // A low-level hook never reports the generic codes.
    for (UINT vk : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        EXPECT_EQ(ByVk(vk), nullptr) << std::hex << vk;
    }
}

TEST_F(KeyboardValueFile, ScanCodesAgreeWithTheSystemKeyboardMap)
{
    for (const Row& row : rows) {
        const UINT mapped = MapVirtualKeyW(row.vk, MAPVK_VK_TO_VSC_EX);
        const UINT prefix = mapped >> 8;
        // 0: the map does not know the key; E1: Pause's multi-byte sequence, which the hook
        // reports as its last scan code.
        if (mapped == 0 || prefix == 0xE1) {
            continue;
        }
        SCOPED_TRACE(testing::PrintToString(row.text));
        const bool extended = (row.code & 0xFF00) != 0;
        const unsigned scan = extended ? (row.code >> 8) & 0xFF : (row.code >> 16) & 0xFF;
        EXPECT_EQ(scan, mapped & 0xFF);
        if (prefix == 0xE0) {
            EXPECT_TRUE(extended);
        }
    }
}

TEST_F(KeyboardValueFile, DeviceCodesGiveTheMacroCodeWords)
{
    const Row* a = ByVk('A');
    const Row* rightCtrl = ByVk(VK_RCONTROL);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(rightCtrl, nullptr);
    EXPECT_EQ(CodeWord(a->code, 0, 0), 0x10023Cu);
    EXPECT_EQ(CodeWord(rightCtrl->code, 250, 370), 0x250323Bu);
}

} // namespace
