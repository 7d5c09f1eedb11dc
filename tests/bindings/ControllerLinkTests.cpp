#include "ControllerLink.h"

#include "Fakes.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <tuple>

namespace {

// What the fake ACPI library saw and what it answers.
struct AcpiLog {
    int initCalls = 0;
    int uncalledCalls = 0;

    int setBufferCalls = 0;
    DWORD setBufferItem = 0, setBufferArg = 0, setBufferLength = 0;
    ControllerPort::Table setBufferContents{};
    int setBufferResult = 1;

    int setItemCalls = 0;
    DWORD setItem = 0, setItemValue = 0, setItemArg = 0;
    int setItemResult = 1;

    int getBufferCalls = 0;
    DWORD getBufferItem = 0, getBufferArg = 0, getBufferLength = 0;
    bool getBufferWasZeroed = false;
    int getBufferResult = 1;
    std::optional<unsigned> reportedUsage;
};

AcpiLog g_acpi;

int WINAPI FakeAcpiInit()
{
    ++g_acpi.initCalls;
    return 7;
}

int WINAPI FakeAcpiUncalled()
{
    ++g_acpi.uncalledCalls;
    return 0;
}

int WINAPI FakeAcpiSetItemBuffer(DWORD item, DWORD arg, BYTE* buffer, DWORD* length)
{
    ++g_acpi.setBufferCalls;
    g_acpi.setBufferItem = item;
    g_acpi.setBufferArg = arg;
    g_acpi.setBufferLength = *length;
    std::memcpy(g_acpi.setBufferContents.data(), buffer, std::min<DWORD>(*length, ControllerPort::kTableSize));
    // The library may scribble on the buffer and change the length.
    std::memset(buffer, 0xEE, *length);
    *length = 1;
    return g_acpi.setBufferResult;
}

int WINAPI FakeAcpiSetItem(DWORD item, DWORD value, DWORD arg)
{
    ++g_acpi.setItemCalls;
    g_acpi.setItem = item;
    g_acpi.setItemValue = value;
    g_acpi.setItemArg = arg;
    return g_acpi.setItemResult;
}

int WINAPI FakeAcpiGetItemBuffer(DWORD item, DWORD arg, BYTE* buffer, DWORD* length)
{
    ++g_acpi.getBufferCalls;
    g_acpi.getBufferItem = item;
    g_acpi.getBufferArg = arg;
    g_acpi.getBufferLength = *length;
    g_acpi.getBufferWasZeroed = std::all_of(buffer, buffer + *length, [](BYTE b) { return b == 0; });
    if (g_acpi.reportedUsage) {
        // Noise around the usage must not matter.
        buffer[4] = 0x3B;
        buffer[5] = 0x3C;
        buffer[6] = static_cast<BYTE>(*g_acpi.reportedUsage & 0xFF);
        buffer[7] = static_cast<BYTE>(*g_acpi.reportedUsage >> 8);
        buffer[8] = 0x3D;
    }
    return g_acpi.getBufferResult;
}

const std::vector<std::string> kAcpiNames = {
    "AcpiInit", "AcpiGetItem", "AcpiGetItemEx", "AcpiGetItemBuffer", "AcpiSetItemBuffer",
    "AcpiSetItem", "AcpiMbif", "AcpiGGrp", "AcpiCallMethod", "AcpiFirstArg",
    "AcpiGetArgCount", "AcpiNextArg", "AcpiGetArgType", "AcpiGetArgData",
};

Exports AcpiExports(const std::string& without = {})
{
    Exports exports;
    for (const auto& name : kAcpiNames)
        exports[name] = AsProc(&FakeAcpiUncalled);
    exports["AcpiInit"] = AsProc(&FakeAcpiInit);
    exports["AcpiGetItemBuffer"] = AsProc(&FakeAcpiGetItemBuffer);
    exports["AcpiSetItemBuffer"] = AsProc(&FakeAcpiSetItemBuffer);
    exports["AcpiSetItem"] = AsProc(&FakeAcpiSetItem);
    exports.erase(without);
    return exports;
}

class ControllerLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_acpi = AcpiLog{};
        savedFolder_ = ProgramFolder();
        SetProgramFolder(folder_.Path());
    }
    void TearDown() override { SetProgramFolder(savedFolder_); }

    std::wstring LibraryPath() const { return folder_.Path() + L"\\Biosgateex.dll"; }
    std::wstring SettingsPath() const { return folder_.Path() + L"Setting.ini"; }

    std::wstring StoredSwitch() const
    {
        wchar_t value[32] = {};
        GetPrivateProfileStringW(L"Info", L"Switch", L"<none>", value, 32, SettingsPath().c_str());
        return value;
    }

    ScratchFolder folder_;
    std::wstring savedFolder_;
    AcpiFunctionTable functions_;
    FakeModuleLoader loader_;
    FakeNotifier notifier_;
    ControllerLink link_{functions_, loader_, notifier_};
};

TEST_F(ControllerLinkTest, MissingLibraryIsReportedOnceAndNothingReachesIt)
{
    EXPECT_EQ(link_.AcpiInitialize(), 0);

    ASSERT_EQ(loader_.loads, std::vector<std::wstring>{LibraryPath()});
    ASSERT_EQ(notifier_.messages.size(), 1u);
    EXPECT_EQ(notifier_.messages[0].first, L"Can not load Biosgate.dll");
    EXPECT_EQ(notifier_.messages[0].second, L"");

    EXPECT_EQ(link_.SetSwitch(1), SwitchResult::NotAccepted);
    EXPECT_EQ(StoredSwitch(), L"1");
    EXPECT_EQ(link_.ReadPressedKey(), std::nullopt);
    EXPECT_FALSE(link_.WriteEcBuffer(ControllerPort::Table{}));
    EXPECT_EQ(loader_.loads.size(), 1u);
    EXPECT_EQ(notifier_.messages.size(), 1u);
}

TEST_F(ControllerLinkTest, LibraryWithoutItsLastNameIsUnboundAndNeverCalled)
{
    const HMODULE library = loader_.AddLibrary(LibraryPath(), AcpiExports("AcpiGetArgData"));

    EXPECT_EQ(link_.AcpiInitialize(), 0);

    EXPECT_EQ(loader_.lookups, kAcpiNames);
    EXPECT_EQ(loader_.frees, std::vector<HMODULE>{library});
    EXPECT_FALSE(functions_.IsBound());
    ASSERT_EQ(notifier_.messages.size(), 1u);
    EXPECT_EQ(notifier_.messages[0].first, L"Can not load Biosgate.dll");

    link_.WriteEcBuffer(ControllerPort::Table{});
    EXPECT_EQ(link_.SetSwitch(1), SwitchResult::NotAccepted);
    EXPECT_EQ(link_.ReadPressedKey(), std::nullopt);
    EXPECT_EQ(g_acpi.initCalls, 0);
    EXPECT_EQ(g_acpi.setBufferCalls, 0);
    EXPECT_EQ(g_acpi.setItemCalls, 0);
    EXPECT_EQ(g_acpi.getBufferCalls, 0);
}

TEST_F(ControllerLinkTest, BindingStopsAtTheFirstMissingName)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports("AcpiGetItemEx"));

    EXPECT_FALSE(link_.LoadAcpiLibrary());

    EXPECT_EQ(loader_.lookups, std::vector<std::string>(kAcpiNames.begin(), kAcpiNames.begin() + 3));
    // Names found before the gap are not left behind for a later call.
    EXPECT_EQ(functions_.AcpiInit, nullptr);
    EXPECT_EQ(functions_.AcpiGetItem, nullptr);
}

TEST_F(ControllerLinkTest, InitializeBindsAllNamesInOrderOnceAndReturnsTheInitResult)
{
    const HMODULE library = loader_.AddLibrary(LibraryPath(), AcpiExports());

    EXPECT_EQ(link_.AcpiInitialize(), 7);
    EXPECT_EQ(link_.AcpiInitialize(), 7);

    EXPECT_EQ(loader_.loads.size(), 1u);
    EXPECT_EQ(loader_.lookups, kAcpiNames);
    EXPECT_TRUE(loader_.frees.empty());
    EXPECT_EQ(functions_.module, library);
    EXPECT_TRUE(notifier_.messages.empty());
    EXPECT_EQ(g_acpi.initCalls, 2);
    EXPECT_EQ(g_acpi.uncalledCalls, 0);
}

TEST_F(ControllerLinkTest, WriteEcBufferHandsTheLibraryACopyOfTheWholeTable)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();
    ControllerPort::Table table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const ControllerPort::Table original = table;

    EXPECT_TRUE(link_.WriteEcBuffer(table));

    EXPECT_EQ(g_acpi.setBufferCalls, 1);
    EXPECT_EQ(g_acpi.setBufferItem, 0x13060030u);
    EXPECT_EQ(g_acpi.setBufferArg, 3u);
    EXPECT_EQ(g_acpi.setBufferLength, 4096u);
    EXPECT_EQ(g_acpi.setBufferContents, original);
    EXPECT_EQ(table, original);

    // Only 1 tells that the controller took the table, as for the read.
    for (const int refusal : {0, 2, 3, -1}) {
        g_acpi.setBufferResult = refusal;
        EXPECT_FALSE(link_.WriteEcBuffer(table)) << refusal;
    }
}

TEST_F(ControllerLinkTest, SetSwitchSendsExactlyTheValueItStoresAndChecksBitZero)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();

    const struct {
        int on;
        DWORD sent;
        const wchar_t* stored;
        int result;
        bool accepted;
    } cases[] = {{1, 1, L"1", 1, true}, {0, 0, L"0", 3, true}, {2, 0, L"0", 2, false}, {-1, 0, L"0", 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.on);
        g_acpi.setItemResult = c.result;
        EXPECT_EQ(link_.SetSwitch(c.on), c.accepted ? SwitchResult::Set : SwitchResult::NotAccepted);
        EXPECT_EQ(g_acpi.setItem, 0x13070031u);
        EXPECT_EQ(g_acpi.setItemValue, c.sent);
        EXPECT_EQ(g_acpi.setItemArg, 1u);
        EXPECT_EQ(StoredSwitch(), c.stored);
    }
}

TEST_F(ControllerLinkTest, RestoringTheSavedSwitchStoresOneOrZeroAndSendsItStoredOrNot)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();

    const struct {
        const wchar_t* saved; // nullptr: no Setting.ini
        bool locked;          // another program holds Setting.ini, so the store fails
        DWORD sent;
        const wchar_t* stored;
    } cases[] = {{nullptr, false, 0, L"0"}, {L"2", false, 0, L"0"}, {L"1", false, 1, L"1"},
                 {L"0", false, 0, L"0"},    {L"1", true, 1, L"1"},   {L"2", true, 0, L"2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::make_tuple(c.saved ? c.saved : L"(none)", c.locked)));
        DeleteFileW(SettingsPath().c_str());
        if (c.saved) {
            WritePrivateProfileStringW(L"Info", L"Switch", c.saved, SettingsPath().c_str());
            WritePrivateProfileStringW(nullptr, nullptr, nullptr, SettingsPath().c_str());
        }
        g_acpi.setItemCalls = 0;
        const HANDLE held = c.locked ? CreateFileW(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, 0, nullptr)
                                     : INVALID_HANDLE_VALUE;
        EXPECT_TRUE(link_.RestoreSavedSwitch());
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        EXPECT_EQ(g_acpi.setItemCalls, 1);
        EXPECT_EQ(g_acpi.setItemValue, c.sent);
        EXPECT_EQ(StoredSwitch(), c.stored);
    }
}

TEST_F(ControllerLinkTest, GetSwitchReadsSettingIni)
{
    int out = -5;
    EXPECT_FALSE(link_.GetSwitch(out));
    EXPECT_EQ(out, 0);

    link_.SetSwitch(1);
    EXPECT_TRUE(link_.GetSwitch(out));
    EXPECT_EQ(out, 1);

    WritePrivateProfileStringW(L"Info", L"Switch", L"2", SettingsPath().c_str());
    EXPECT_TRUE(link_.GetSwitch(out));
    EXPECT_EQ(out, 2);

    link_.SetSwitch(0);
    EXPECT_FALSE(link_.GetSwitch(out));
    EXPECT_EQ(out, 0);
}

TEST_F(ControllerLinkTest, ReadPressedKeyMapsF1ToF10AndNothingElse)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();

    const struct {
        unsigned usage;
        std::optional<int> key;
    } cases[] = {{0x3A, 1}, {0x3F, 6}, {0x43, 10}, {0x39, std::nullopt}, {0x44, std::nullopt},
                 {0x00, std::nullopt}, {0x013A, std::nullopt}, {0xFF3A, std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.usage);
        g_acpi.reportedUsage = c.usage;
        EXPECT_EQ(link_.ReadPressedKey(), c.key);
    }
    EXPECT_EQ(g_acpi.getBufferItem, 0x13060032u);
    EXPECT_EQ(g_acpi.getBufferArg, 3u);
    EXPECT_EQ(g_acpi.getBufferLength, 4096u);
}

TEST_F(ControllerLinkTest, ReadPressedKeyCountsOnlyAResultOfOne)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();
    g_acpi.reportedUsage = 0x3A;

    for (int result : {2, 0, -1, 3}) {
        SCOPED_TRACE(result);
        g_acpi.getBufferResult = result;
        EXPECT_EQ(link_.ReadPressedKey(), std::nullopt);
    }
}

TEST_F(ControllerLinkTest, ReadPressedKeyStartsFromAZeroedBuffer)
{
    loader_.AddLibrary(LibraryPath(), AcpiExports());
    link_.AcpiInitialize();

    // Leave stack garbage where the buffer will be, then let the library report success
    // without writing anything.
    {
        volatile BYTE dirt[8192];
        for (auto& b : dirt)
            b = 0x3A;
    }
    g_acpi.reportedUsage.reset();
    EXPECT_EQ(link_.ReadPressedKey(), std::nullopt);
    EXPECT_TRUE(g_acpi.getBufferWasZeroed);
}

TEST(ControllerLinkSystem, MissingLibraryBesideTheProgramIsReported)
{
    ScratchFolder folder;
    const std::wstring saved = ProgramFolder();
    SetProgramFolder(folder.Path());
    AcpiFunctionTable functions;
    FakeNotifier notifier;
    ControllerLink link(functions, SystemModuleLoader(), notifier);

    EXPECT_EQ(link.AcpiInitialize(), 0);
    EXPECT_FALSE(functions.IsBound());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, L"Can not load Biosgate.dll");
    SetProgramFolder(saved);
}

} // namespace
