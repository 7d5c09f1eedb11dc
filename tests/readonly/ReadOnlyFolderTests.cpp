// The driver and the program in a program folder on a read-only mount, laid out by
// readonly-folder.sh (Switch=1, profile "Old", F5 a function FunKeyMap.cfg does not know): every
// refused write is reported, and the controller never gets a switch that Setting.ini does not hold.

#include "ProgramFolderTest.h"
#include "RunningProgram.h"
#include "SkinPictures.h"

#include <gmock/gmock.h>

#include <filesystem>

using testing::HasSubstr;

namespace mainwindow {
namespace {

namespace fs = std::filesystem;

constexpr POINT kSwitch{1067 + 20, 9 + 14};
// The warning's OK button, where the confirmation dialog has its Cancel.
constexpr POINT kWarningOk{164 + 30, 153 + 15};

class ReadOnlyFolder : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        scratch_ = std::wstring(temp) + L"tastro-readonly-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        // The stand-ins keep their state here, and the programs inherit it.
        SetEnvironmentVariableW(L"TASTRO_SIM_DIR", (scratch_ + L"SimState").c_str());
        SetCursorPos(0, 0);
    }
    static void TearDownTestSuite()
    {
        SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
        std::error_code ignored;
        fs::remove_all(fs::path(scratch_), ignored);
    }
    void SetUp() override
    {
        std::error_code ignored;
        fs::remove_all(fs::path(scratch_), ignored);
        ASSERT_TRUE(fs::create_directories(fs::path(scratch_ + L"SimState"), ignored));
        // The folder must be the mounted one: a write into it fails.
        const HANDLE probe = CreateFileW(File(L"write-probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (probe != INVALID_HANDLE_VALUE)
            CloseHandle(probe);
        ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "the program folder is not on a read-only mount";
        ASSERT_TRUE(e2e::Exists(File(L"Profile\\Old.mck")));
        ASSERT_EQ(Switch(), "1");
    }

    static std::wstring Folder() { return e2e::TestFolder() + L"readonly-folder\\"; }
    static std::wstring File(const std::wstring& name) { return Folder() + name; }
    static std::optional<std::string> Switch() { return e2e::IniValue(File(L"Setting.ini"), "Info", "Switch"); }
    static std::size_t Calls(const std::string& part)
    {
        return Count(e2e::SplitLines(e2e::ReadFileBytes(scratch_ + L"SimState\\calls.log").value_or("")), part);
    }
    static e2e::ProcessResult Run(const std::wstring& program, const std::vector<std::wstring>& arguments)
    {
        e2e::ProcessResult result = e2e::RunProcess(e2e::CommandLine(File(program), arguments), scratch_, nullptr, 60000);
        std::erase(result.out, '\r');
        std::erase(result.err, '\r');
        return result;
    }

    static inline std::wstring scratch_;
};

TEST_F(ReadOnlyFolder, DriverReportsEveryRefusedWrite)
{
    ASSERT_EQ(Run(L"simkey.exe", {L"F5"}).exitCode, 1u) << "the key event is stored; no program is registered";
    const struct {
        std::vector<std::wstring> arguments;
        DWORD exitCode;
        std::string says;
    } cases[] = {
        {{L"switch", L"off"}, e2e::kFailed, "keyconfigctl: Setting.ini could not be written; the switch was not changed\n"},
        {{L"switch", L"show"}, e2e::kOk, "switch is on\n"},
        {{L"profile", L"delete", L"Old"}, e2e::kFailed, "keyconfigctl: profile \"Old\" could not be deleted: "},
        {{L"profile", L"list"}, e2e::kOk, "Old\n"},
        {{L"profile", L"save", L"New"}, e2e::kFailed, "keyconfigctl: profile \"New\" could not be saved: "},
        {{L"clear", L"5"}, e2e::kFailed, "keyconfigctl: F5 could not be removed from fun.cfg; no key table was written\n"},
        {{L"report"}, e2e::kOk,
         "F5: function 99999 is not in FunKeyMap.cfg, so the key table holds nothing for it; nothing was run\n"},
    };
    for (const auto& c : cases) {
        const e2e::ProcessResult result = Run(L"keyconfigctl.exe", c.arguments);
        SCOPED_TRACE(e2e::Utf8(c.arguments.front() + L" " + c.arguments.back()) + ": " +
                     testing::PrintToString(result));
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_THAT(result.out + result.err, HasSubstr(c.says));
    }
    EXPECT_EQ(Switch(), "1");
    EXPECT_TRUE(e2e::Exists(File(L"Profile\\Old.mck")));
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031"), 0u) << "the controller keeps its switch";
    EXPECT_EQ(Calls("AcpiSetItemBuffer"), 0u) << "and its key table";
}

TEST_F(ReadOnlyFolder, WindowSendsTheStoredSwitchAndWarnsWhenAChangeCannotBeSaved)
{
    MainProgram program(Folder(), scratch_, {});
    const HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitFor(20000, [window] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 1 1"), 1u) << "the keys are switched on, though the switch cannot be stored";

    ASSERT_TRUE(program.Click(kSwitch.x, kSwitch.y));
    const HWND warning = program.WaitForTopLevel(L"TConfirmDlg");
    ASSERT_NE(warning, nullptr) << "a warning";
    EXPECT_EQ(Calls("VnTranslateStr \"The setting could not be saved.\""), 1u);
    EXPECT_TRUE(program.Click(kWarningOk.x, kWarningOk.y, warning) && program.WaitUntilGone(warning));
    ASSERT_TRUE(program.Send(WM_NULL, 0, 0));

    EXPECT_EQ(Switch(), "1");
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 0"), 0u) << "the controller keeps its switch";
    // The (guarded) switch still shows the stored ON: its picture where it differs from OFF's.
    const WindowShot shot(window);
    const SkinPictures skin(Folder());
    int differing = 0, shownOff = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 72; ++x) {
            const std::uint32_t on = skin.Blend(L"button\\ON_n.png", x, y, 1067 + x, 9 + y);
            if (on == skin.Blend(L"button\\OFF_n.png", x, y, 1067 + x, 9 + y))
                continue;
            ++differing;
            shownOff += shot.At(1067 + x, 9 + y) != on;
        }
    EXPECT_GT(differing, 0);
    EXPECT_EQ(shownOff, 0);

    // The tray's "On", once a HID arrival has ended the guard, the same way.
    ASSERT_TRUE(program.Send(WM_DEVICECHANGE, 0x8000, 0));
    HWND icon = nullptr;
    for (HWND each : NotificationAreaIcons())
        if (TipOf(each) == L"Tastro")
            icon = each;
    ASSERT_NE(icon, nullptr);
    const HWND menu = ClickIcon(icon, 3) ? program.WaitForTopLevel(L"#32768", 10000) : nullptr;
    ASSERT_NE(menu, nullptr);
    RECT line{};
    GetWindowRect(menu, &line);
    ASSERT_TRUE(OnDisplay(L"mousemove " + std::to_wstring(line.left + 30) + L" " + std::to_wstring(line.top + 10) +
                          L" sleep 0.3 click 1"));
    const HWND trayWarning = program.WaitForTopLevel(L"TConfirmDlg");
    ASSERT_NE(trayWarning, nullptr);
    EXPECT_EQ(Calls("VnTranslateStr \"The setting could not be saved.\""), 2u);
    EXPECT_TRUE(program.Click(kWarningOk.x, kWarningOk.y, trayWarning) && program.WaitUntilGone(trayWarning));
    EXPECT_EQ(Switch(), "1");
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 0"), 0u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(30000), 0u);
}

} // namespace
} // namespace mainwindow
