#include "SimTestSupport.h"

#include <gmock/gmock.h>

using namespace simtest;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

using NotifyFn = int(WINAPI*)(HWND, const wchar_t*);
using AcpiBufferFn = int(WINAPI*)(DWORD item, DWORD arg, BYTE* buffer, DWORD* length);

constexpr wchar_t kId[] = L"5E1C7A90-2B4D-4f8a-9C3E-71D0B6A42F58";

// What the hidden window saw of the key notifications, and which key it read while handling one.
struct Received {
    int count = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int usage = -1;
    AcpiBufferFn readItem = nullptr;
};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (received != nullptr && wParam == 0x55) {
        ++received->count;
        received->message = message;
        received->wParam = wParam;
        received->lParam = lParam;
        // Read the key the way the program does, inside the handler.
        std::vector<BYTE> event(4096);
        DWORD length = 4096;
        if (received->readItem != nullptr && received->readItem(0x13060032, 3, event.data(), &length) == 1) {
            received->usage = event[6] | (event[7] << 8);
        }
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class ReceiverWindow {
public:
    explicit ReceiverWindow(Received& received)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ReceiverProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SimKeyTestReceiver";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"SimKeyTestReceiver", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), &received);
    }
    ~ReceiverWindow() { Destroy(); }
    ReceiverWindow(const ReceiverWindow&) = delete;
    ReceiverWindow& operator=(const ReceiverWindow&) = delete;

    HWND Handle() const { return window_; }
    void Destroy()
    {
        if (window_ != nullptr) {
            DestroyWindow(window_);
            window_ = nullptr;
        }
    }

private:
    HWND window_ = nullptr;
};

class ProgramTest : public StateFolderTest {
protected:
    std::optional<DWORD> Simkey(const std::wstring& arguments)
    {
        return RunPumpingMessages(L"\"" + DistFolder() + L"simkey.exe\" " + arguments, Output());
    }
    std::wstring Output() const { return State() + L"simkey-output.txt"; }
};

class SimkeyTest : public ProgramTest {
protected:
    Library service{DistFolder() + L"Sysbridge.dll"};
    Library controller{DistFolder() + L"Biosgateex.dll"};
    NotifyFn registerNotify = service.Get<NotifyFn>("VnSysSvr_RegisterNotify");
    NotifyFn unregisterNotify = service.Get<NotifyFn>("VnSysSvr_UnregisterNotify");
    Received received{.readItem = controller.Get<AcpiBufferFn>("AcpiGetItemBuffer")};
    ReceiverWindow receiver{received};

    void SetUp() override
    {
        ASSERT_NE(registerNotify, nullptr);
        ASSERT_NE(unregisterNotify, nullptr);
        ASSERT_NE(received.readItem, nullptr);
        ASSERT_NE(receiver.Handle(), nullptr);
    }
};

TEST_F(SimkeyTest, PressIsStoredBeforeTheRegisteredWindowHandlesTheNotification)
{
    ASSERT_EQ(registerNotify(receiver.Handle(), kId), 1);

    const std::pair<const wchar_t*, int> presses[] = {{L"F1", 0x3A}, {L"F3", 0x3C}, {L"f10", 0x43}};
    int expectedCount = 0;
    for (const auto& [key, usage] : presses) {
        EXPECT_EQ(Simkey(key), 0u) << ReadText(Output());
        EXPECT_EQ(received.count, ++expectedCount);
        EXPECT_EQ(received.message, RegisterWindowMessageW(L"SimService Key Notify"));
        EXPECT_EQ(received.wParam, 0x55u);
        EXPECT_EQ(static_cast<ULONG_PTR>(received.lParam), 0xA002000Bu);
        EXPECT_EQ(received.usage, usage);

        std::vector<BYTE> expected(4096, 0);
        expected[6] = static_cast<BYTE>(usage);
        EXPECT_EQ(ReadBytes(State() + L"13060032.bin"), expected);
    }
    EXPECT_THAT(CallLog(),
                ElementsAre(HasSubstr("Sysbridge VnSysSvr_RegisterNotify"), "simkey press F1",
                            "Biosgateex AcpiGetItemBuffer 0x13060032 3 buf 4096", "simkey press F3",
                            "Biosgateex AcpiGetItemBuffer 0x13060032 3 buf 4096", "simkey press F10",
                            "Biosgateex AcpiGetItemBuffer 0x13060032 3 buf 4096"));
}

TEST_F(SimkeyTest, AnythingButOneKeyNameIsAUsageError)
{
    ASSERT_EQ(registerNotify(receiver.Handle(), kId), 1);
    for (const wchar_t* arguments : {L"", L"F0", L"F11", L"F01", L"X", L"F1 F2", L"0x3A"}) {
        EXPECT_EQ(Simkey(arguments), 2u) << Utf8(arguments);
        EXPECT_THAT(ReadText(Output()), HasSubstr("usage: simkey F1..F10")) << Utf8(arguments);
    }
    EXPECT_EQ(received.count, 0);
    EXPECT_FALSE(FileExists(State() + L"13060032.bin"));
}

TEST_F(SimkeyTest, WithoutALiveRegisteredWindowNobodyIsNotified)
{
    EXPECT_EQ(Simkey(L"F2"), 1u);
    EXPECT_THAT(ReadText(Output()), HasSubstr("no window is registered"));

    ASSERT_EQ(registerNotify(receiver.Handle(), kId), 1);
    ASSERT_EQ(unregisterNotify(receiver.Handle(), kId), 1);
    EXPECT_EQ(Simkey(L"F2"), 1u);
    EXPECT_THAT(ReadText(Output()), HasSubstr("no window is registered"));

    ASSERT_EQ(registerNotify(receiver.Handle(), kId), 1);
    receiver.Destroy();
    EXPECT_EQ(Simkey(L"F2"), 1u);
    EXPECT_THAT(ReadText(Output()), HasSubstr("no longer exists"));
    EXPECT_EQ(received.count, 0);
}

TEST_F(ProgramTest, WitnessRecordsItsNameAndCommandLine)
{
    const std::wstring witness = L"\"" + DistFolder() + L"witness.exe\"";
    EXPECT_EQ(RunPumpingMessages(witness + L" -OPEN 0"), 0u);
    EXPECT_EQ(RunPumpingMessages(witness), 0u);
    EXPECT_THAT(ReadLines(State() + L"witness.log"),
                ElementsAre("witness.exe\t" + Utf8(witness) + " -OPEN 0", "witness.exe\t" + Utf8(witness)));
    const auto bytes = ReadBytes(State() + L"witness.log");
    EXPECT_TRUE(bytes && !bytes->empty() && bytes->back() == '\n') << "the last line ends too";
}

TEST(WitnessCopy, ACopyRecordsItsOwnNameInTheStateFolderBesideIt)
{
    ScratchFolder program;
    const std::wstring copy = program.Path() + L"Hub Deck II.exe";
    ASSERT_TRUE(CopyFileW((DistFolder() + L"witness.exe").c_str(), copy.c_str(), FALSE));
    EnvironmentScope scope(L"TASTRO_SIM_DIR", nullptr);
    EXPECT_EQ(RunPumpingMessages(L"\"" + copy + L"\" -OPEN 3"), 0u);
    EXPECT_THAT(ReadLines(program.Path() + L"SimState\\witness.log"),
                ElementsAre("Hub Deck II.exe\t\"" + Utf8(copy) + "\" -OPEN 3"));
}

}  // namespace
