// The Macro Keys page in the real program, started once: real clicks and key presses on the
// display reach a recording through the keyboard-hook library, hiding the page ends it, Apply
// writes fun.cfg and the key table through the rename dialog, and the key-step dialog changes a
// key and its partner.

#include "RunningProgram.h"
#include "SkinPictures.h"

#include "MacroCodeWord.h"
#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mainwindow {
namespace {

constexpr POINT kRecordBox{297 + 60, 105 + 18};
constexpr POINT kMacroTab{277 + 30, 56 + 20};
constexpr POINT kApply{1054 + 56, 497 + 17};

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

std::string Joined(const std::vector<std::string>& parts, std::size_t count)
{
    std::string joined;
    for (std::size_t i = 0; i < count && i < parts.size(); ++i)
        joined += (i ? " " : "") + parts[i];
    return joined;
}

class MacroKeys : public ProgramSuite {
protected:
    static void SetUpTestSuite()
    {
        StartProgram([](const ScratchProgramFolder& folder) { WriteFunCfg(folder); }, {});
        WaitFor(30000, [] { return IsWindowVisible(window_) != FALSE; });
    }

    static void TearDownTestSuite()
    {
        StopProgram();
        // The pointer goes back out of the way of the next programs' windows.
        OnDisplay(L"mousemove 0 0");
    }

    // A real click (or double click) at a client point of the main window. A click that follows
    // the pointer's move at once can get lost under Wine: the pointer rests first.
    static bool RealClick(POINT p, int clicks = 1)
    {
        RECT frame{};
        GetWindowRect(window_, &frame);
        return OnDisplay(L"mousemove " + std::to_wstring(frame.left + p.x) + L" " + std::to_wstring(frame.top + p.y) +
                         L" sleep 0.7 click --repeat " + std::to_wstring(clicks) + L" --delay 80 1");
    }

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

    // A posted click is handled after the messages sent meanwhile: the page's controls tell.
    static bool ShowMacroPage()
    {
        return program_->Click(kMacroTab.x, kMacroTab.y) && WaitFor(5000, [] { return MacroPageShown(); }) &&
               program_->Send(WM_NULL, 0, 0);
    }

    static HWND Visible(const wchar_t* className, const wchar_t* caption)
    {
        HWND found = nullptr;
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, caption)) != nullptr;)
            found = IsWindowVisible(w) ? w : found;
        return found;
    }

    static bool ApplyThroughRenameDialog()
    {
        const std::size_t tables = TableWrites();
        const HWND dialog = program_->Click(kApply.x, kApply.y) ? program_->WaitForTopLevel(L"TRenameDlg") : nullptr;
        return dialog && program_->Click(kConfirm.x, kConfirm.y, dialog) &&
               WaitFor(20000, [tables] { return TableWrites() == tables + 1; }) && program_->Send(WM_NULL, 0, 0);
    }

    // The key-step dialog opened by a real double click on step `slot`.
    static HWND OpenStep(int slot)
    {
        const POINT corner = SlotCorner(slot);
        HWND dialog = nullptr;
        if (RealClick({corner.x + 30, corner.y + 16}, 2))
            WaitFor(10000, [&] { return (dialog = Visible(L"TOneKeyEditDlg", nullptr)) != nullptr; });
        // The double click handled to its end.
        return dialog && program_->Send(WM_NULL, 0, 0) ? dialog : nullptr;
    }
};

TEST_F(MacroKeys, RecordsRealKeysAppliesThemAndEditsAStep)
{
    // F1 (a shortcut) selected shows its page; the Macro Keys tab comes back for the recording.
    const POINT f1 = KeyButtonPoint(1);
    ASSERT_TRUE(program_->Click(f1.x, f1.y));
    ASSERT_TRUE(WaitFor(5000, [] { return !MacroPageShown(); }));
    ASSERT_TRUE(ShowMacroPage());
    ASSERT_TRUE(RealClick(kRecordBox)) << "xdotool did not run";
    ASSERT_TRUE(WaitFor(10000, [] { return Visible(L"TDimmingForm", L"MaskMKForm") != nullptr; }));
    ASSERT_TRUE(Press(L"a b"));
    WindowShot(window_).Save(TestFolder() + L"macro-recording-screenshot.png");

    // The key table's rebuild shows F1's page: the recording ends with the page hidden.
    ASSERT_TRUE(program_->SubCode(1258, 1));
    EXPECT_EQ(Visible(L"TDimmingForm", L"MaskMKForm"), nullptr);
    EXPECT_FALSE(MacroPageShown());
    ASSERT_TRUE(Press(L"c")) << "nothing is hooked any more";
    ASSERT_TRUE(ShowMacroPage());
    Sleep(300);  // the windowed controls shown again paint a moment later
    const WindowShot shot(window_);
    shot.Save(TestFolder() + L"macro-steps-screenshot.png");
    // A down, delay, A up, delay, B down, delay, B up (the first event only starts the clock), each
    // slot with the face of its kind (seen in the glyph, where no text goes); slot 8 empty.
    const SkinPictures skin(folder_->Path());
    const wchar_t* faces[] = {L"key_down_n.png", L"time_n.png", L"key_up_n.png", L"time_n.png",
                              L"key_down_n.png", L"time_n.png", L"key_up_n.png"};
    for (int i = 1; i <= 8; ++i) {
        const POINT at = SlotCorner(i);
        const int x = i % 2 ? 90 - 9 : 86 - 9;
        const std::uint32_t expected =
            i <= 7 ? skin.Blend(std::wstring(L"combined_key\\action\\") + faces[i - 1], x, 16, at.x + x, at.y + 16)
                   : skin.Blend(L"combined_key\\frame.png", at.x + x - 297, at.y + 16 - 149, at.x + x, at.y + 16);
        EXPECT_EQ(shot.At(at.x + x, at.y + 16), expected) << "slot " << i;
    }

    // Apply for F5 writes F5 and F5_UI in their order, and the key table of fun.cfg.
    const POINT f5 = KeyButtonPoint(5);
    ASSERT_TRUE(program_->Click(f5.x, f5.y));
    ASSERT_TRUE(ApplyThroughRenameDialog());
    const std::wstring funCfg = folder_->File(L"fun.cfg");
    const std::vector<std::string> key = SectionLines(funCfg, "F5");
    ASSERT_EQ(key.size(), 21u);
    EXPECT_EQ(Joined(key, 19), "DisplayName=A B IconFile= 1=65 2=66 3= 4= 5= 6= 7= 8= 9= 10= 11= 12= 13= 14= 15= "
                               "Type=129 Count=2");
    ASSERT_EQ(key[19].rfind("1_code=0x", 0), 0u);
    const std::uint32_t code = std::stoul(key[19].substr(7), nullptr, 16);
    EXPECT_EQ((code >> 1) & 0xFF, 0x1Eu) << "A's scan code";
    EXPECT_LT(UnpackMacroCodeWord(code).DownMs, UnpackMacroCodeWord(code).UpMs);
    std::vector<std::string> steps = SectionLines(funCfg, "F5_UI");
    ASSERT_EQ(steps.size(), 59u * 3);
    for (const int delay : {2, 4, 6})
        for (const int k : {1, 2}) {
            std::string& line = steps[static_cast<std::size_t>((delay - 1) * 3 + k)];
            EXPECT_GE(std::stoi(line.substr(line.find('=') + 1)), 10) << line;
            line.erase(line.find('=') + 1);
        }
    EXPECT_EQ(Joined(steps, 24), "1_status=1 1_dis=A 1_key=65 2_status=3 2_dis= 2_key= 3_status=2 3_dis=A 3_key=65 "
                                 "4_status=3 4_dis= 4_key= 5_status=1 5_dis=B 5_key=66 6_status=3 6_dis= 6_key= "
                                 "7_status=2 7_dis=B 7_key=66 8_status=0 8_dis= 8_key=0");
    EXPECT_EQ(steps.back(), "59_key=0");
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));

    // The key-step dialog over step 1 takes the key released next, for the step and its key up.
    HWND dialog = OpenStep(1);
    ASSERT_NE(dialog, nullptr);
    RECT at{}, frame{};
    GetWindowRect(dialog, &at);
    GetWindowRect(window_, &frame);
    EXPECT_EQ(at.left - frame.left, SlotCorner(1).x) << "laid over the step";
    EXPECT_EQ(at.top - frame.top, SlotCorner(1).y);
    const auto field = [&] {
        wchar_t text[32] = {};
        SendMessageW(FindWindowExW(dialog, nullptr, nullptr, nullptr), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    EXPECT_EQ(field(), L"A");
    ASSERT_TRUE(Press(L"c"));
    EXPECT_EQ(field(), L"C");
    WindowShot(dialog).Save(TestFolder() + L"macro-key-step-screenshot.png");
    ASSERT_TRUE(program_->Click(600, 40, Visible(L"TDimmingForm", L"MaskForm"))) << "a click on the dim closes it";
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    ASSERT_TRUE(ApplyThroughRenameDialog());
    EXPECT_EQ(e2e::IniValue(funCfg, "F5", "DisplayName"), "A B") << "the stored name is offered";
    EXPECT_EQ(e2e::IniValue(funCfg, "F5", "1"), "67");
    for (const char* step : {"1_dis", "3_dis"})
        EXPECT_EQ(e2e::IniValue(funCfg, "F5_UI", step), "C") << step;
    const std::uint32_t edited = std::stoul(e2e::IniValue(funCfg, "F5", "1_code").value_or("0"), nullptr, 16);
    EXPECT_EQ((edited >> 1) & 0xFF, 0x2Eu) << "C's scan code";
    EXPECT_EQ(edited >> 9, code >> 9) << "the key's times stay";
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));

    // A delay step's field is narrower. The key's reload while it is edited ends the editing; a
    // click on the dim still closes the dialog it left open, and nothing is written.
    dialog = OpenStep(2);
    ASSERT_NE(dialog, nullptr);
    RECT fieldRect{};
    GetWindowRect(FindWindowExW(dialog, nullptr, nullptr, nullptr), &fieldRect);
    EXPECT_EQ(fieldRect.right - fieldRect.left, 45);
    const std::optional<std::string> stored = e2e::ReadFileBytes(funCfg);
    ASSERT_TRUE(program_->SubCode(1258, 5));
    ASSERT_TRUE(Press(L"4 2"));
    EXPECT_EQ(field(), L"") << "digits after the reload are not taken";
    ASSERT_TRUE(program_->Click(600, 40, Visible(L"TDimmingForm", L"MaskForm")));
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    EXPECT_EQ(e2e::ReadFileBytes(funCfg), stored);
}

} // namespace
} // namespace mainwindow
