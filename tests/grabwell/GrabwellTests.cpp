#include "MainWindowProtocol.h"
#include "SimTestSupport.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace simtest;
using testing::ElementsAre;
using testing::IsEmpty;

namespace {

using EntryFn = BOOL(WINAPI*)();

constexpr LPARAM Down(UINT vk) { return static_cast<LPARAM>(vk | kHookKeyDown); }
constexpr LPARAM Up(UINT vk) { return static_cast<LPARAM>(vk | kHookKeyUp); }

// A stand-in for the main window, with its class and caption, that records the hook's messages.
class MainWindow {
public:
    MainWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &MainWindow::Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kMainWindowClass;
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, kMainWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                  100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~MainWindow()
    {
        DestroyWindow(window_);
        UnregisterClassW(kMainWindowClass, GetModuleHandleW(nullptr));
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    bool Exists() const { return window_ != nullptr; }

    // Dispatches messages until `count` hook messages have arrived or `ms` have passed; returns
    // what arrived and forgets it.
    static std::vector<LPARAM> Take(std::size_t count, DWORD ms = 3000)
    {
        const ULONGLONG deadline = GetTickCount64() + ms;
        while (received().size() < count && GetTickCount64() < deadline)
            Pump(10);
        std::vector<LPARAM> taken;
        taken.swap(received());
        return taken;
    }

    static void Pump(DWORD ms)
    {
        const ULONGLONG deadline = GetTickCount64() + ms;
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline)
                return;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        }
    }

private:
    static std::vector<LPARAM>& received()
    {
        static std::vector<LPARAM> messages;
        return messages;
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        static const UINT hookMessage = RegisterWindowMessageW(kMainWindowMessageName);
        if (message == hookMessage && wParam == MKM_HOOK_KEY) {
            received().push_back(lParam);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

void Type(std::initializer_list<std::pair<WORD, bool>> keys)
{
    std::vector<INPUT> inputs;
    for (const auto& [vk, up] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// A key pressed on the X display the program runs on, through the X test extension, the way a
// user's key press arrives. False when the tool or the display is missing. The tool runs as a
// Unix process, which Wine starts but cannot wait for.
bool PressOnDisplay(const wchar_t* key)
{
    const std::wstring tool = L"Z:\\usr\\bin\\xdotool";
    if (std::getenv("DISPLAY") == nullptr || GetFileAttributesW(tool.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    // X gives keys to the focused window: focus the main window first (no window manager runs).
    std::wstring commandLine = L"\"" + tool + L"\" search --name ^Tastro$ windowfocus --sync key " + key;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

TEST(KeyboardHook, ReportsEveryPressAndReleaseToTheMainWindowUntilUnhooked)
{
    MainWindow window;
    ASSERT_TRUE(window.Exists());
    Library dll(DistFolder() + L"Grabwell.dll");
    ASSERT_TRUE(dll.Loaded());
    const auto hook = dll.Get<EntryFn>("Hook");
    const auto unhook = dll.Get<EntryFn>("Unhook");
    ASSERT_NE(hook, nullptr);
    ASSERT_NE(unhook, nullptr);

    // Unhook without a hook is harmless; a second Hook installs no second hook (no doubled keys).
    EXPECT_TRUE(unhook());
    ASSERT_TRUE(hook());
    ASSERT_TRUE(hook());

    Type({{'A', false}, {'A', true}, {VK_RCONTROL, false}, {VK_F5, false}, {VK_F5, true}, {VK_RCONTROL, true}});
    EXPECT_THAT(MainWindow::Take(7, 2000), ElementsAre(Down('A'), Up('A'), Down(VK_RCONTROL), Down(VK_F5),
                                                       Up(VK_F5), Up(VK_RCONTROL)));

    ASSERT_TRUE(PressOnDisplay(L"b")) << "xdotool did not start";
    EXPECT_THAT(MainWindow::Take(2), ElementsAre(Down('B'), Up('B')));

    EXPECT_TRUE(unhook());
    EXPECT_TRUE(unhook());
    Type({{'C', false}, {'C', true}});
    MainWindow::Pump(300);
    EXPECT_THAT(MainWindow::Take(1, 0), IsEmpty());
}

} // namespace
