#include "SysSvrFunctionTable.h"
#include "SysSvrNotification.h"
#include "SysSvrRegistration.h"

#include "Fakes.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const wchar_t kId[] = L"5E1C7A90-2B4D-4f8a-9C3E-71D0B6A42F58";

// What the fake service library saw and what it answers.
struct ServiceLog {
    std::vector<DWORD> setArgs, getArgs;
    int registerCalls = 0;
    int unregisterCalls = 0;
    int refusals = 0; // registrations still to refuse
    HWND lastWindow = nullptr;
    std::wstring lastId;
};

ServiceLog g_service;

int WINAPI FakeSetPerformanceState(DWORD a, DWORD b, DWORD c)
{
    g_service.setArgs = {a, b, c};
    return 0x1234;
}

int WINAPI FakeGetPerformanceState(DWORD a, DWORD b)
{
    g_service.getArgs = {a, b};
    return -2;
}

int WINAPI FakeRegisterNotify(HWND window, const wchar_t* id)
{
    ++g_service.registerCalls;
    g_service.lastWindow = window;
    g_service.lastId = id;
    if (g_service.refusals > 0) {
        --g_service.refusals;
        return 0;
    }
    return 2;
}

int WINAPI FakeUnregisterNotify(HWND window, const wchar_t* id)
{
    ++g_service.unregisterCalls;
    g_service.lastWindow = window;
    g_service.lastId = id;
    return 1;
}

const std::vector<std::string> kServiceNames = {
    "VnSysSvr_SetPerformanceState", "VnSysSvr_GetPerformanceState",
    "VnSysSvr_RegisterNotify", "VnSysSvr_UnregisterNotify"};

Exports ServiceExports(const std::string& without = {})
{
    Exports exports{{"VnSysSvr_SetPerformanceState", AsProc(&FakeSetPerformanceState)},
                    {"VnSysSvr_GetPerformanceState", AsProc(&FakeGetPerformanceState)},
                    {"VnSysSvr_RegisterNotify", AsProc(&FakeRegisterNotify)},
                    {"VnSysSvr_UnregisterNotify", AsProc(&FakeUnregisterNotify)}};
    exports.erase(without);
    return exports;
}

const HWND kWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x5150));

class FakeTimer final : public SysSvrRegistration::Timer {
public:
    void SetEnabled(bool on) override
    {
        enabled = on;
        if (on)
            ++enables;
    }
    bool enabled = false;
    int enables = 0;
};

// The process's service binding on fakes, reset around every test.
class SysSvrTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_service = ServiceLog{};
        ProcessSysSvrFunctions().Clear();
        SetSysSvrSeams(&loader_, &notifier_);
        savedFolder_ = ProgramFolder();
        SetProgramFolder(folder_.Path());
    }
    void TearDown() override
    {
        SetProgramFolder(savedFolder_);
        SetSysSvrSeams(nullptr, nullptr);
        ProcessSysSvrFunctions().Clear();
    }

    std::wstring LibraryPath() const { return folder_.Path() + L"\\Sysbridge.dll"; }
    void InstallService() { loader_.AddLibrary(LibraryPath(), ServiceExports()); }

    // Ticks while the timer is on, as the window would; returns the number of ticks.
    int RunTimer(SysSvrRegistration& registration)
    {
        int ticks = 0;
        while (timer_.enabled && ticks < 100) {
            registration.OnTimerTick();
            ++ticks;
        }
        return ticks;
    }

    ScratchFolder folder_;
    std::wstring savedFolder_;
    FakeModuleLoader loader_;
    FakeNotifier notifier_;
    FakeTimer timer_;
};

TEST_F(SysSvrTest, WrappersBindOnceAndForwardArgumentsAndResults)
{
    InstallService();

    EXPECT_EQ(VnSysSvr_SetPerformanceState(1, 0xFFFFFFFF, 3), 0x1234);
    EXPECT_EQ(VnSysSvr_GetPerformanceState(4, 5), -2);
    EXPECT_EQ(VnSysSvr_RegisterNotify(kWindow, kId), 2);
    EXPECT_EQ(g_service.lastWindow, kWindow);
    EXPECT_EQ(g_service.lastId, kId);
    EXPECT_EQ(VnSysSvr_UnregisterNotify(kWindow, L"other"), 1);
    EXPECT_EQ(g_service.lastId, L"other");

    EXPECT_EQ(g_service.setArgs, (std::vector<DWORD>{1, 0xFFFFFFFF, 3}));
    EXPECT_EQ(g_service.getArgs, (std::vector<DWORD>{4, 5}));
    EXPECT_EQ(loader_.loads, std::vector<std::wstring>{LibraryPath()});
    EXPECT_EQ(loader_.lookups, kServiceNames);
    EXPECT_TRUE(notifier_.messages.empty());
}

TEST_F(SysSvrTest, MissingLibraryIsReportedAtEveryAttemptAndGivesZero)
{
    EXPECT_EQ(VnSysSvr_RegisterNotify(kWindow, kId), 0);
    EXPECT_EQ(VnSysSvr_GetPerformanceState(1, 2), 0);

    EXPECT_EQ(loader_.loads.size(), 2u);
    ASSERT_EQ(notifier_.messages.size(), 2u);
    for (const auto& [text, caption] : notifier_.messages) {
        EXPECT_EQ(text, L"Can not load Sysbridge.dll");
        EXPECT_EQ(caption, L"");
    }
}

TEST_F(SysSvrTest, IncompleteLibraryNeverRegisters)
{
    // A window registered through it could never be unregistered.
    const HMODULE library = loader_.AddLibrary(LibraryPath(), ServiceExports("VnSysSvr_UnregisterNotify"));

    EXPECT_EQ(VnSysSvr_RegisterNotify(kWindow, kId), 0);

    EXPECT_EQ(g_service.registerCalls, 0);
    EXPECT_EQ(loader_.lookups, kServiceNames);
    EXPECT_EQ(loader_.frees, std::vector<HMODULE>{library});
    ASSERT_EQ(notifier_.messages.size(), 1u);
    EXPECT_EQ(notifier_.messages[0].first, L"Can not load Sysbridge.dll");
}

TEST(SysSvrNotification, IsRecognisedByItsTwoValuesOnly)
{
    EXPECT_TRUE(IsSysSvrKeyNotification(0x55, static_cast<LPARAM>(0xA002000Bu)));
    EXPECT_TRUE(IsSysSvrKeyNotification(0x55, static_cast<LPARAM>(static_cast<LONG>(0xA002000Bu))));
    EXPECT_FALSE(IsSysSvrKeyNotification(0x55, 0x2002000B));
    EXPECT_FALSE(IsSysSvrKeyNotification(0x54, static_cast<LPARAM>(0xA002000Bu)));
    EXPECT_FALSE(IsSysSvrKeyNotification(0xA002000B, 0x55));
}

TEST_F(SysSvrTest, RegistrationAtStartNeedsNoTimerAndIsUndoneAtDestruction)
{
    InstallService();
    {
        SysSvrRegistration registration(kWindow, timer_);
        registration.Start();
        EXPECT_TRUE(registration.IsRegistered());
        EXPECT_EQ(timer_.enables, 0);
        EXPECT_EQ(g_service.lastId, kId);
        EXPECT_EQ(g_service.lastWindow, kWindow);
        EXPECT_EQ(g_service.unregisterCalls, 0);
    }
    EXPECT_EQ(g_service.unregisterCalls, 1);
    EXPECT_EQ(g_service.lastWindow, kWindow);
    EXPECT_EQ(g_service.lastId, kId);
}

TEST_F(SysSvrTest, RegistrationOnTheThirdTickStopsTheTimer)
{
    InstallService();
    g_service.refusals = 3; // the start and the first two ticks
    {
        SysSvrRegistration registration(kWindow, timer_);
        registration.Start();
        EXPECT_FALSE(registration.IsRegistered());
        EXPECT_TRUE(timer_.enabled);

        EXPECT_EQ(RunTimer(registration), 3);
        EXPECT_TRUE(registration.IsRegistered());
        EXPECT_FALSE(timer_.enabled);
        EXPECT_EQ(g_service.registerCalls, 4);
    }
    EXPECT_EQ(g_service.unregisterCalls, 1);
}

TEST_F(SysSvrTest, RefusedRegistrationIsRetriedExactlyThirteenTimes)
{
    InstallService();
    g_service.refusals = 1000;
    {
        SysSvrRegistration registration(kWindow, timer_);
        registration.Start();

        EXPECT_EQ(RunTimer(registration), 13);
        EXPECT_FALSE(timer_.enabled);
        EXPECT_EQ(registration.RetryCount(), 13);
        EXPECT_EQ(g_service.registerCalls, 14);

        // A late tick changes nothing.
        registration.OnTimerTick();
        EXPECT_EQ(g_service.registerCalls, 14);
        EXPECT_FALSE(timer_.enabled);
    }
    EXPECT_EQ(g_service.unregisterCalls, 0);
}

TEST_F(SysSvrTest, TicksInsideTheMissingLibraryMessageEndAtTheLimit)
{
    // No library: each attempt shows a message box, and a message box's own loop delivers the
    // timer's ticks while it is open.
    SysSvrRegistration registration(kWindow, timer_);
    int depth = 0, deepest = 0;
    notifier_.onShow = [&] {
        if (!timer_.enabled || depth > 40)
            return;
        ++depth;
        deepest = std::max(deepest, depth);
        registration.OnTimerTick();
        --depth;
    };

    registration.Start();
    RunTimer(registration);

    EXPECT_EQ(loader_.loads.size(), 14u);
    EXPECT_EQ(notifier_.messages.size(), 14u);
    EXPECT_EQ(registration.RetryCount(), 13);
    EXPECT_LE(deepest, 13);
    EXPECT_FALSE(timer_.enabled);
    EXPECT_FALSE(registration.IsRegistered());
}

} // namespace
