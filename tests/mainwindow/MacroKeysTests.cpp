// The Macro Keys page in the real program, started once: a recording fed by real key presses on
// the display through the keyboard-hook library, stopped when the page is hidden, applied through
// the rename dialog into fun.cfg and the key table, and one step changed in the key-step dialog.

#include "RunningProgram.h"
#include "SkinPictures.h"

#include "MacroCodeWord.h"
#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mainwindow {
namespace {

constexpr POINT kRecordBox{297 + 60, 105 + 18};
constexpr POINT kMacroTab{277 + 30, 56 + 20};
constexpr POINT kApply{1054 + 56, 497 + 17};
constexpr POINT kRenameOk{56 + 30, 153 + 15};

POINT KeyButtonPoint(int n)
{
    return {26 + 44, 105 + (n - 1) * 40 + 4};
}

// The top-left corner of step slot i (1..59).
POINT SlotCorner(int i)
{
    static const int columns[] = {305, 414, 519, 628, 733, 842, 947, 1056};
    return {columns[(i - 1) % 8], 166 + (i - 1) / 8 * 40};
}

using IniLines = std::vector<std::pair<std::string, std::string>>;

// The keys of a section in file order (fun.cfg is written as ANSI text).
IniLines Section(const std::wstring& path, const std::string& name)
{
    IniLines lines;
    bool inside = false;
    for (const std::string& line : e2e::SplitLines(e2e::ReadFileBytes(path).value_or(""))) {
        if (!line.empty() && line.front() == '[')
            inside = line == "[" + name + "]";
        else if (const auto equals = line.find('='); inside && equals != std::string::npos)
            lines.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    return lines;
}

std::string Value(const IniLines& lines, const std::string& key)
{
    for (const auto& [name, value] : lines)
        if (name == key)
            return value;
    return "<none>";
}

class MacroKeys : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SetEnvironmentVariableW(L"TASTRO_SIM_DIR", nullptr);
        folder_ = new ScratchProgramFolder();
        const std::string program = e2e::Utf8(folder_->Path());
        e2e::WriteFileBytes(folder_->File(L"fun.cfg"), "[F1]\r\nDisplayName=Witness\r\nIconFile=" + program +
                                                          "witness.exe\r\n1=" + program + "witness.exe\r\nType=3\r\nCount=1\r\n");
        program_ = new MainProgram(*folder_, {});
        window_ = program_->WaitForMainWindow();
        WaitFor(30000, [] { return IsWindowVisible(window_) != FALSE; });
    }

    static void TearDownTestSuite()
    {
        delete program_;
        program_ = nullptr;
        delete folder_;
        folder_ = nullptr;
        // The pointer goes back out of the way of the next programs' windows.
        OnDisplay(L"mousemove 0 0");
    }

    void SetUp() override
    {
        ASSERT_NE(window_, nullptr) << "the main window did not come up";
        ASSERT_TRUE(IsWindowVisible(window_));
    }

    // A real click (or double click) of the display's pointer at a client point of the main window.
    static bool RealClick(POINT p, int clicks = 1)
    {
        RECT frame{};
        GetWindowRect(window_, &frame);
        // Clicks that follow the move at once can get lost under Wine: the pointer rests first.
        return OnDisplay(L"mousemove " + std::to_wstring(frame.left + p.x) + L" " + std::to_wstring(frame.top + p.y) +
                         L" sleep 0.7 click --repeat " + std::to_wstring(clicks) + L" --delay 80 1");
    }

    // Real key presses, sent to the program's window.
    static bool Press(const std::wstring& keys)
    {
        return OnDisplay(L"search --name ^Tastro$ windowfocus --sync key --delay 120 " + keys) &&
               program_->Send(WM_NULL, 0, 0);
    }

    static bool MacroPageShown()
    {
        const HWND box = program_->ControlAt(kRecordBox.x, kRecordBox.y);
        return box != window_ && IsWindowVisible(box);
    }
    // Posted clicks are handled after messages sent meanwhile: the page's own controls tell.
    static bool ShowMacroPage()
    {
        return program_->Click(kMacroTab.x, kMacroTab.y) && WaitFor(5000, [] { return MacroPageShown(); }) &&
               program_->Send(WM_NULL, 0, 0);
    }

    static HWND Visible(const wchar_t* className, const wchar_t* caption)
    {
        HWND found = nullptr;
        for (HWND w = FindWindowExW(nullptr, nullptr, className, caption); w; w = FindWindowExW(nullptr, w, className, caption))
            if (IsWindowVisible(w))
                found = w;
        return found;
    }
    static HWND RecordingOverlay() { return Visible(L"TDimmingForm", L"MaskMKForm"); }

    static bool ApplyThroughRenameDialog()
    {
        const std::size_t tables = TableWrites();
        if (!program_->Click(kApply.x, kApply.y))
            return false;
        const HWND dialog = program_->WaitForTopLevel(L"TRenameDlg");
        return dialog && program_->Click(kRenameOk.x, kRenameOk.y, dialog) &&
               WaitFor(20000, [tables] { return TableWrites() == tables + 1; }) && program_->Send(WM_NULL, 0, 0);
    }

    static std::vector<std::uint8_t> KeyTable()
    {
        const std::string bytes = e2e::ReadFileBytes(folder_->State(L"13060030.bin")).value_or("");
        return {bytes.begin(), bytes.end()};
    }

    static std::size_t TableWrites()
    {
        std::size_t writes = 0;
        for (const std::string& line : folder_->CallLog())
            writes += line.find("AcpiSetItemBuffer 0x13060030") != std::string::npos;
        return writes;
    }

    // Slots 1..used show the face of their kind (checked in the glyph at the right end, where no
    // text is written); the next slot shows the empty frame.
    static void ExpectSteps(const WindowShot& shot, const std::vector<int>& kinds)
    {
        const SkinPictures skin(folder_->Path());
        const wchar_t* faces[] = {L"", L"combined_key\\action\\key_down_n.png", L"combined_key\\action\\key_up_n.png",
                                  L"combined_key\\action\\time_n.png"};
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            const POINT corner = SlotCorner(static_cast<int>(i) + 1);
            const int glyph = kinds[i] == 3 ? 86 - 9 : 90 - 9;
            for (const int y : {6, 16, 26})
                EXPECT_EQ(shot.At(corner.x + glyph, corner.y + y),
                          skin.Blend(faces[kinds[i]], glyph, y, corner.x + glyph, corner.y + y))
                    << "slot " << i + 1 << " kind " << kinds[i];
        }
        const POINT next = SlotCorner(static_cast<int>(kinds.size()) + 1);
        EXPECT_EQ(shot.At(next.x + 81, next.y + 16),
                  skin.Blend(L"combined_key\\frame.png", next.x + 81 - 297, next.y + 16 - 149, next.x + 81, next.y + 16))
            << "no step in slot " << kinds.size() + 1;
    }

    static inline ScratchProgramFolder* folder_ = nullptr;
    static inline MainProgram* program_ = nullptr;
    static inline HWND window_ = nullptr;
};

TEST_F(MacroKeys, RealKeysAreRecordedUntilThePageIsHidden)
{
    // F1 (a shortcut) selected shows its page; the Macro Keys tab comes back for the recording.
    const POINT f1 = KeyButtonPoint(1);
    ASSERT_TRUE(program_->Click(f1.x, f1.y));
    ASSERT_TRUE(WaitFor(5000, [] { return !MacroPageShown(); }));
    ASSERT_TRUE(ShowMacroPage());

    ASSERT_TRUE(RealClick(kRecordBox)) << "xdotool did not run";
    ASSERT_TRUE(WaitFor(10000, [] { return RecordingOverlay() != nullptr; })) << "recording with its overlay";
    ASSERT_TRUE(Press(L"a b"));
    WindowShot(window_).Save(TestFolder() + L"macro-recording-screenshot.png");

    // The key table's rebuild shows F1's page: the recording ends with the Macro Keys page hidden.
    ASSERT_TRUE(program_->SubCode(1258, 1));
    EXPECT_EQ(RecordingOverlay(), nullptr);
    EXPECT_FALSE(MacroPageShown());
    ASSERT_TRUE(Press(L"c")) << "after the end nothing is hooked";
    ASSERT_TRUE(ShowMacroPage());
    // The windowed controls shown again paint a moment later.
    Sleep(300);
    const WindowShot shot(window_);
    shot.Save(TestFolder() + L"macro-steps-screenshot.png");
    // A down, delay, A up, delay, B down, delay, B up (the first event only starts the clock).
    ExpectSteps(shot, {1, 3, 2, 3, 1, 3, 2});
}

TEST_F(MacroKeys, ApplyWritesTheMacroAndTheKeyTable)
{
    const POINT f5 = KeyButtonPoint(5);
    ASSERT_TRUE(program_->Click(f5.x, f5.y));
    ASSERT_TRUE(ApplyThroughRenameDialog());

    const std::wstring funCfg = folder_->File(L"fun.cfg");
    const IniLines key = Section(funCfg, "F5");
    std::vector<std::string> names;
    for (const auto& [name, value] : key)
        names.push_back(name);
    std::vector<std::string> order = {"DisplayName", "IconFile"};
    for (int i = 1; i <= 15; ++i)
        order.push_back(std::to_string(i));
    order.insert(order.end(), {"Type", "Count", "1_code", "2_code"});
    EXPECT_EQ(names, order);
    EXPECT_EQ(Value(key, "DisplayName"), "A B") << "the recorded keys' names";
    EXPECT_EQ(Value(key, "1") + "," + Value(key, "2") + "," + Value(key, "3"), "65,66,");
    EXPECT_EQ(Value(key, "Type") + "," + Value(key, "Count"), "129,2");
    const std::uint32_t a = std::stoul(Value(key, "1_code"), nullptr, 16);
    EXPECT_EQ((a >> 1) & 0xFF, 0x1Eu) << "A's scan code";
    const MacroKeyTimes times = UnpackMacroCodeWord(a);
    EXPECT_LT(times.DownMs, times.UpMs) << "A went down before it came up";

    const IniLines steps = Section(funCfg, "F5_UI");
    ASSERT_EQ(steps.size(), 59u * 3);
    const char* expected[][3] = {{"1", "A", "65"}, {"3", "", ""}, {"2", "A", "65"}, {"3", "", ""},
                                 {"1", "B", "66"}, {"3", "", ""}, {"2", "B", "66"}, {"0", "", "0"}};
    for (int j = 1; j <= 8; ++j) {
        const std::string n = std::to_string(j);
        const auto& [status, dis, keyValue] = expected[j - 1];
        EXPECT_EQ(steps[(j - 1) * 3].first, n + "_status");
        EXPECT_EQ(Value(steps, n + "_status"), status) << j;
        if (std::string(status) == "3") {
            EXPECT_GE(std::stoi(Value(steps, n + "_key")), 10) << j;
            EXPECT_EQ(Value(steps, n + "_dis"), Value(steps, n + "_key")) << j;
        } else {
            EXPECT_EQ(Value(steps, n + "_dis"), dis) << j;
            EXPECT_EQ(Value(steps, n + "_key"), keyValue) << j;
        }
    }
    EXPECT_EQ(Value(steps, "59_status") + Value(steps, "59_dis") + Value(steps, "59_key"), "00");
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));
}

TEST_F(MacroKeys, KeyStepDialogChangesAKeyAndItsPartner)
{
    const std::string codeBefore = e2e::IniValue(folder_->File(L"fun.cfg"), "F5", "1_code").value_or("");
    const POINT slot = SlotCorner(1);
    ASSERT_TRUE(RealClick({slot.x + 40, slot.y + 16}, 2));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor(10000, [&] { return (dialog = Visible(L"TOneKeyEditDlg", nullptr)) != nullptr; }));
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0)) << "the double click handled to its end";
    RECT at{}, frame{};
    GetWindowRect(dialog, &at);
    GetWindowRect(window_, &frame);
    EXPECT_EQ(at.left - frame.left, slot.x) << "laid over the step";
    EXPECT_EQ(at.top - frame.top, slot.y);
    const HWND field = FindWindowExW(dialog, nullptr, nullptr, nullptr);
    const auto text = [field] {
        wchar_t buffer[32] = {};
        SendMessageW(field, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(buffer));
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(), L"A");

    ASSERT_TRUE(Press(L"c"));
    EXPECT_EQ(text(), L"C");
    WindowShot(dialog).Save(TestFolder() + L"macro-key-step-screenshot.png");
    // A click on the dim closes the dialog and takes the key.
    const HWND dim = Visible(L"TDimmingForm", L"MaskForm");
    ASSERT_NE(dim, nullptr);
    ASSERT_TRUE(program_->Click(600, 40, dim));
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    EXPECT_TRUE(WaitFor(5000, [] { return Visible(L"TDimmingForm", L"MaskForm") == nullptr; }));

    ASSERT_TRUE(ApplyThroughRenameDialog());
    const std::wstring funCfg = folder_->File(L"fun.cfg");
    EXPECT_EQ(e2e::IniValue(funCfg, "F5", "DisplayName"), "A B") << "the stored name is offered";
    EXPECT_EQ(e2e::IniValue(funCfg, "F5", "1"), "67");
    for (const char* step : {"1", "3"}) {
        EXPECT_EQ(e2e::IniValue(funCfg, "F5_UI", std::string(step) + "_dis"), "C") << step;
        EXPECT_EQ(e2e::IniValue(funCfg, "F5_UI", std::string(step) + "_key"), "67") << step;
    }
    const std::uint32_t before = std::stoul(codeBefore, nullptr, 16);
    const std::uint32_t after = std::stoul(e2e::IniValue(funCfg, "F5", "1_code").value_or("0"), nullptr, 16);
    EXPECT_EQ((after >> 1) & 0xFF, 0x2Eu) << "C's scan code";
    EXPECT_EQ(after >> 9, before >> 9) << "the key's times stay";
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));

    // The key's reload while a delay step is being edited ends the editing; a click on the dim still
    // closes the dialog it left open, and nothing is written.
    const POINT delay = SlotCorner(2);
    ASSERT_TRUE(RealClick({delay.x + 30, delay.y + 16}, 2));
    ASSERT_TRUE(WaitFor(10000, [&] { return (dialog = Visible(L"TOneKeyEditDlg", nullptr)) != nullptr; }));
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    const std::optional<std::string> stored = e2e::ReadFileBytes(funCfg);
    ASSERT_TRUE(program_->SubCode(1258, 5));
    ASSERT_TRUE(Press(L"4 2"));
    EXPECT_EQ(text(), L"") << "digits after the reload are not taken";
    ASSERT_TRUE(program_->Click(600, 40, Visible(L"TDimmingForm", L"MaskForm")));
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    EXPECT_EQ(e2e::ReadFileBytes(funCfg), stored);
}

} // namespace
} // namespace mainwindow
