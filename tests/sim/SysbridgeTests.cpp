#include "SimTestSupport.h"

#include <gmock/gmock.h>

using namespace simtest;
using testing::ElementsAre;

namespace {

using SetPerformanceFn = int(WINAPI*)(DWORD, DWORD, DWORD);
using GetPerformanceFn = int(WINAPI*)(DWORD, DWORD);
using NotifyFn = int(WINAPI*)(HWND, const wchar_t*);

constexpr wchar_t kId[] = L"5E1C7A90-2B4D-4f8a-9C3E-71D0B6A42F58";
const std::string kLoggedId = "\"5E1C7A90-2B4D-4f8a-9C3E-71D0B6A42F58\"";

HWND FakeWindow(ULONG_PTR value)
{
    return reinterpret_cast<HWND>(value);
}

class SysbridgeTest : public StateFolderTest {
protected:
    Library dll{DistFolder() + L"Sysbridge.dll"};
    SetPerformanceFn setPerformance = dll.Get<SetPerformanceFn>("VnSysSvr_SetPerformanceState");
    GetPerformanceFn getPerformance = dll.Get<GetPerformanceFn>("VnSysSvr_GetPerformanceState");
    NotifyFn registerNotify = dll.Get<NotifyFn>("VnSysSvr_RegisterNotify");
    NotifyFn unregisterNotify = dll.Get<NotifyFn>("VnSysSvr_UnregisterNotify");

    void SetUp() override
    {
        ASSERT_TRUE(dll.Loaded());
        ASSERT_NE(setPerformance, nullptr);
        ASSERT_NE(getPerformance, nullptr);
        ASSERT_NE(registerNotify, nullptr);
        ASSERT_NE(unregisterNotify, nullptr);
    }

    std::wstring ServiceIni() const { return State() + L"service.ini"; }
    std::wstring StoredWindow() const { return IniValue(ServiceIni(), L"Service", L"Window"); }
};

TEST_F(SysbridgeTest, RegistrationStoresTheWindowAndIdentifierUntilThatWindowUnregisters)
{
    EXPECT_EQ(registerNotify(FakeWindow(0x1234), kId), 1);
    EXPECT_EQ(StoredWindow(), L"0x00001234");
    EXPECT_EQ(IniValue(ServiceIni(), L"Service", L"Id"), kId);

    // Another window cannot take the registration away.
    EXPECT_EQ(unregisterNotify(FakeWindow(0x5678), kId), 0);
    EXPECT_EQ(StoredWindow(), L"0x00001234");

    EXPECT_EQ(unregisterNotify(FakeWindow(0x1234), kId), 1);
    EXPECT_EQ(StoredWindow(), L"");

    EXPECT_THAT(CallLog(), ElementsAre("Sysbridge VnSysSvr_RegisterNotify 0x00001234 " + kLoggedId,
                                       "Sysbridge VnSysSvr_UnregisterNotify 0x00005678 " + kLoggedId,
                                       "Sysbridge VnSysSvr_UnregisterNotify 0x00001234 " + kLoggedId));
}

TEST_F(SysbridgeTest, RefuseKnobTurnsAwayThatManyRegistrations)
{
    WritePrivateProfileStringW(L"Knobs", L"RefuseRegistrations", L"2", ServiceIni().c_str());

    EXPECT_EQ(registerNotify(FakeWindow(0x1234), kId), 0);
    EXPECT_EQ(IniValue(ServiceIni(), L"Knobs", L"RefuseRegistrations"), L"1");
    EXPECT_EQ(registerNotify(FakeWindow(0x1234), kId), 0);
    EXPECT_EQ(StoredWindow(), L"");
    EXPECT_EQ(registerNotify(FakeWindow(0x1234), kId), 1);
    EXPECT_EQ(IniValue(ServiceIni(), L"Knobs", L"RefuseRegistrations"), L"0");
    EXPECT_EQ(StoredWindow(), L"0x00001234");
}

TEST_F(SysbridgeTest, NullWindowIsNeverRegistered)
{
    EXPECT_EQ(registerNotify(nullptr, kId), 0);
    EXPECT_EQ(StoredWindow(), L"");
    EXPECT_EQ(unregisterNotify(nullptr, nullptr), 0);
    EXPECT_THAT(CallLog(), ElementsAre("Sysbridge VnSysSvr_RegisterNotify 0x00000000 " + kLoggedId,
                                       "Sysbridge VnSysSvr_UnregisterNotify 0x00000000 null"));
}

TEST_F(SysbridgeTest, PerformanceStatesAreStoredPerPair)
{
    EXPECT_EQ(getPerformance(1, 2), 0);
    EXPECT_EQ(setPerformance(1, 2, 7), 1);
    EXPECT_EQ(getPerformance(1, 2), 7);
    EXPECT_EQ(getPerformance(2, 1), 0);
    EXPECT_THAT(CallLog(), ElementsAre("Sysbridge VnSysSvr_GetPerformanceState 1 2",
                                       "Sysbridge VnSysSvr_SetPerformanceState 1 2 7",
                                       "Sysbridge VnSysSvr_GetPerformanceState 1 2",
                                       "Sysbridge VnSysSvr_GetPerformanceState 2 1"));
}

}  // namespace
