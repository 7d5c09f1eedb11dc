// The decisions of the main window that need no window: sub-code arguments, the switch guard,
// the delay field, the tab of a key type and the start option.

#include "DelayField.h"
#include "KeyTabs.h"
#include "MainMessages.h"
#include "MacroSteps.h"
#include "MainScene.h"
#include "StartOptions.h"
#include "SwitchGuard.h"

#include <dbt.h>
#include <gtest/gtest.h>

namespace {

TEST(MainMessages, HookKeyUpWinsOverDownAndTheTopBitsAreNotPartOfTheKey)
{
    struct Case {
        std::uint32_t lParam;
        std::uint32_t key;
        int kind;
    };
    const Case cases[] = {
        {kHookKeyDown | 0x41, 0x41, MACRO_STEP_KEY_DOWN},
        {kHookKeyUp | 0x41, 0x41, MACRO_STEP_KEY_UP},
        {kHookKeyUp | kHookKeyDown | 0x41, 0x41, MACRO_STEP_KEY_UP},
        {kHookKeyDown | 0x300000A0, 0xA0, MACRO_STEP_KEY_DOWN},
        {~(kHookKeyUp | kHookKeyDown), 0, 0},
        {0x41, 0, 0},
    };
    for (const Case& c : cases) {
        const auto key = DecodeHookKey(c.lParam);
        if (c.kind == 0) {
            EXPECT_FALSE(key) << std::hex << c.lParam;
            continue;
        }
        ASSERT_TRUE(key) << std::hex << c.lParam;
        EXPECT_EQ(key->key, c.key) << std::hex << c.lParam;
        EXPECT_EQ(key->kind, c.kind) << std::hex << c.lParam;
    }
}

TEST(MainMessages, OnlyKeyNumbersOneToTenNameAKey)
{
    for (LPARAM n : {LPARAM(0), LPARAM(-1), LPARAM(11), LPARAM(0x7FFFFFFF)})
        EXPECT_FALSE(KeyNumberOf(n)) << n;
    EXPECT_EQ(KeyNumberOf(1), 1);
    EXPECT_EQ(KeyNumberOf(10), 10);
}

TEST(SwitchGuard, ChangeDisablesUntilTheTimerOrADeviceArrival)
{
    SwitchGuard guard;
    EXPECT_FALSE(guard.DeviceChanged(DBT_DEVICEARRIVAL)) << "nothing pending: a device changes nothing";
    EXPECT_TRUE(guard.SwitchEnabled);

    guard.BeginChange();
    EXPECT_FALSE(guard.SwitchEnabled);
    EXPECT_FALSE(guard.DeviceChanged(DBT_DEVICEQUERYREMOVE)) << "other events do not count";
    EXPECT_TRUE(guard.DeviceChanged(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_FALSE(guard.SwitchEnabled) << "a removal keeps the switch disabled";
    EXPECT_TRUE(guard.DeviceChanged(DBT_DEVICEARRIVAL));
    EXPECT_TRUE(guard.SwitchEnabled);
    EXPECT_TRUE(guard.SwitchPending) << "only the timer ends the guard";
    EXPECT_TRUE(guard.DeviceChanged(DBT_DEVICEREMOVECOMPLETE));
    EXPECT_FALSE(guard.SwitchEnabled);

    guard.TimerEnded();
    EXPECT_TRUE(guard.SwitchEnabled);
    EXPECT_FALSE(guard.SwitchPending);
}

TEST(DelayField, KeepsFourDigitsAndStoresTenForAnythingBelowOrNotANumber)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L"10"},    {L"abc", L"10"},   {L"5", L"10"},     {L"09", L"10"},     {L"1 0", L"10"},
        {L"10", L"10"},  {L"750", L"750"},  {L"1000", L"1000"}, {L"9999", L"9999"}, {L"0010", L"0010"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(StoredDelayText(typed), stored) << std::string(typed.begin(), typed.end());
}

TEST(KeyTabs, ClickAndKeyChangeShowThePageOfTheKeyType)
{
    struct Case {
        int type;
        std::optional<KeyTab> click, change;
    };
    const Case cases[] = {
        {129, kTabMacroKeys, kTabMacroKeys},       {2, kTabSmartInput, kTabSmartInput},
        {4, kTabFunctionKeys, kTabFunctionKeys},   {3, kTabShortcut, kTabShortcut},
        {5, std::nullopt, kTabFunctionKeys},       {8, std::nullopt, kTabFunctionKeys},
        {10, std::nullopt, kTabFunctionKeys},      {6, std::nullopt, std::nullopt},
        {0, std::nullopt, std::nullopt},           {77, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TabForSelectedKey(c.type), c.click) << c.type;
        EXPECT_EQ(TabForChangedKey(c.type), c.change) << c.type;
    }
}

TEST(KeyButtons, DeleteMarkBoundsAreExclusive)
{
    // A button 240 wide: x 217..231, y 5..20.
    EXPECT_TRUE(IsInDeleteMark(240, 217, 5));
    EXPECT_TRUE(IsInDeleteMark(240, 231, 20));
    for (auto [x, y] : {std::pair{216, 10}, {232, 10}, {220, 4}, {220, 21}})
        EXPECT_FALSE(IsInDeleteMark(240, x, y)) << x << "," << y;
}

TEST(StartOptions, OnlyAnExactFirstDashHHidesTheWindow)
{
    EXPECT_TRUE(StartsHidden({L"-h"}));
    EXPECT_TRUE(StartsHidden({L"-h", L"x"}));
    for (const auto& arguments : std::vector<std::vector<std::wstring>>{{}, {L"-H"}, {L"x", L"-h"}, {L"-h "}, {L"/h"}})
        EXPECT_FALSE(StartsHidden(arguments));
}

} // namespace
