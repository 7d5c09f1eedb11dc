// One user's session with the real program, driven only with the real pointer and keyboard on the
// display: a key assigned on each page through the name dialog, the keys pressed on the
// controller, a profile saved, every key cleaned and the profile loaded again, the switch through
// the notification-area menu, and the end through it. Each page is saved as a picture on the way.

#include "RunningProgram.h"
#include "SkinPictures.h"

#include "MacroCodeWord.h"
#include "ProgramFolderTest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace mainwindow {
namespace {

// Points of the main window.
constexpr POINT kSwitch{1067 + 20, 9 + 14};
constexpr POINT kLoad{9 + 50, 62 + 15};
constexpr POINT kSave{122 + 50, 62 + 15};
constexpr POINT kCleanAll{232 + 14, 60 + 17};
constexpr POINT kMacroTab{277 + 30, 56 + 20}, kTextTab{443 + 40, 56 + 20}, kFunctionTab{609 + 40, 56 + 20},
    kShortcutTab{775 + 40, 56 + 20};
constexpr POINT kApply{970 + 98, 497 + 17}, kMacroApply{1054 + 56, 497 + 17}, kMacroClear{927 + 56, 497 + 17};
constexpr POINT kNextAudioOutput{878 + 44, 228 + 23};
constexpr POINT kFileButton{872 + 45, 235 + 15};
constexpr POINT kRecordBox{297 + 60, 105 + 18};
constexpr POINT kAgree{376 + 12, 458 + 12}, kSecondText{701 + 25, 183 + 20}, kFirstField{533, 145},
    kSecondField{533, 253};
constexpr POINT kOnTheDim{600, 40};
// The profile box: the name field, the first row of the list in Load mode, the action buttons.
constexpr POINT kBoxName{24 + 10, 85 + 10}, kBoxFirstRow{19 + 20, 82 + 8}, kBoxSave{56 + 50, 279 + 15},
    kBoxLoad{56 + 50, 228 + 15};
constexpr RECT kKeyColumn{26, 105, 26 + 190, 105 + 10 * 40 - 12};

POINT KeyPoint(int n)
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

// A visible top-level window of the class and caption, or null.
HWND Visible(const wchar_t* className, const wchar_t* caption)
{
    for (HWND window : TopLevelWindowsOf(className))
        if (IsWindowVisible(window) && WindowText(window) == caption)
            return window;
    return nullptr;
}

std::wstring Repeated(const std::wstring& key, std::size_t times)
{
    std::wstring keys;
    for (std::size_t i = 0; i < times; ++i)
        keys += key + L" ";
    return keys;
}

class UserSession : public ProgramSuite {
protected:
    static void SetUpTestSuite()
    {
        OnDisplay(L"mousemove 0 0");
        // The pictures show the folder where an installation lies.
        wchar_t installed[MAX_PATH] = {};
        ExpandEnvironmentStringsW(L"%ProgramFiles%\\Tastro II\\", installed, MAX_PATH);
        StartProgram([](const ScratchProgramFolder& folder) { e2e::WriteFileBytes(folder.File(L".profile"), ""); }, {},
                     installed);
        WaitFor(30000, [] { return IsWindowVisible(window_) != FALSE; });
        std::filesystem::create_directories(std::filesystem::path(ShotFolder()));
    }
    static void TearDownTestSuite()
    {
        StopProgram();
        // The pointer goes back out of the way of the next programs' windows.
        OnDisplay(L"mousemove 0 0");
    }

    static std::wstring ShotFolder() { return TestFolder() + L"..\\screenshots\\"; }
    static void Shoot(const std::wstring& name)
    {
        Sleep(300);  // windowed controls shown a moment ago paint a little later
        WindowShot(window_).Save(ShotFolder() + name + L".png");
    }

    // A real click (or double click) at a point of `window` (the main window unless given), once a
    // control that takes input lies there. A click right after the pointer's move can get lost
    // under Wine: the pointer rests first.
    static bool RealClick(POINT p, HWND window = nullptr, int clicks = 1)
    {
        window = window ? window : window_;
        const bool ready = WaitFor(10000, [&] {
            const HWND control = program_->ControlAt(p.x, p.y, window);
            return IsWindowVisible(control) && IsWindowEnabled(control) && IsWindowEnabled(GetAncestor(control, GA_ROOT));
        });
        RECT frame{};
        GetWindowRect(window, &frame);
        return ready && OnDisplay(L"mousemove " + std::to_wstring(frame.left + p.x) + L" " +
                                  std::to_wstring(frame.top + p.y) + L" sleep 0.5 click --repeat " +
                                  std::to_wstring(clicks) + L" --delay 80 1");
    }

    // Real key presses (xdotool key names, then plain text without quotes) with the keyboard
    // focus on the top-level window.
    static bool Keys(HWND window, const std::wstring& keys, const std::wstring& text = L"")
    {
        const auto x11 = reinterpret_cast<std::uintptr_t>(GetPropW(window, L"__wine_x11_whole_window"));
        std::wstring command = L"windowfocus --sync " + std::to_wstring(x11);
        if (!keys.empty())
            command += L" key --delay 50 " + keys;
        if (!text.empty())
            command += L" type --delay 15 '" + text + L"'";
        return x11 != 0 && text.find_first_of(L"'\"") == std::wstring::npos && OnDisplay(command) &&
               program_->Send(WM_NULL, 0, 0);
    }

    // Apply, then the name dialog: the name it offers, replaced by `typed` unless empty. Returns
    // once the key table is written and the main window answers again, after its pause.
    static std::wstring ApplyAs(POINT apply, const std::wstring& typed = L"")
    {
        const std::size_t tables = TableWrites();
        const HWND dialog = RealClick(apply) ? program_->WaitForTopLevel(L"TRenameDlg") : nullptr;
        if (dialog == nullptr)
            return L"(no name dialog)";
        const HWND edit = VisibleChild(dialog, L"CImageEditBase");
        const std::wstring offered = WindowText(edit);
        if (!typed.empty()) {
            EXPECT_TRUE(Keys(dialog, L"End " + Repeated(L"BackSpace", offered.size()), typed));
            EXPECT_TRUE(WaitFor(5000, [&] { return WindowText(edit) == typed; })) << e2e::Utf8(WindowText(edit));
        }
        EXPECT_TRUE(RealClick(kConfirm, dialog));
        EXPECT_TRUE(WaitFor(20000, [&] { return TableWrites() == tables + 1; }));
        EXPECT_TRUE(program_->Send(WM_NULL, 0, 0));
        return offered;
    }

    // Answers the confirmation dialog with a real click on one of its buttons.
    static bool RealAnswer(POINT answer)
    {
        const HWND dialog = program_->WaitForTopLevel(L"TConfirmDlg");
        return dialog && RealClick(answer, dialog) && program_->WaitUntilGone(dialog);
    }

    // Types `path` into the file dialog that the File button opens, and Enter.
    static bool Pick(const std::wstring& path)
    {
        const HWND dialog = RealClick(kFileButton) ? program_->WaitForTopLevel(L"#32770") : nullptr;
        return dialog && Keys(dialog, L"End shift+Home", path) && Keys(dialog, L"Return") &&
               program_->WaitUntilGone(dialog);
    }

    static bool MacroPageShown()
    {
        const HWND box = program_->ControlAt(kRecordBox.x, kRecordBox.y);
        return box != window_ && IsWindowVisible(box);
    }

    // The key-step dialog opened by a real double click on step `slot`.
    static HWND OpenStep(int slot)
    {
        const POINT corner = SlotCorner(slot);
        HWND dialog = nullptr;
        if (RealClick({corner.x + 30, corner.y + 16}, nullptr, 2))
            WaitFor(10000, [&] { return (dialog = Visible(L"TOneKeyEditDlg", L"Setting")) != nullptr; });
        return dialog && program_->Send(WM_NULL, 0, 0) ? dialog : nullptr;
    }

    static bool KeysLookAs(const WindowShot& earlier)
    {
        const WindowShot now(window_);
        for (LONG y = kKeyColumn.top; y < kKeyColumn.bottom; ++y)
            for (LONG x = kKeyColumn.left; x < kKeyColumn.right; ++x)
                if (now.At(x, y) != earlier.At(x, y))
                    return false;
        return true;
    }

    static std::string Path() { return e2e::Utf8(folder_->Path()); }
    static std::wstring FunCfg() { return folder_->File(L"fun.cfg"); }

    void AssignAFunction();
    void RecordAMacroAndEditAStep();
    void PickAShortcut();
    void TypeTexts();
    void PressTheKeys();
    void SaveCleanAndLoadAProfile();
    void SwitchAndExitThroughTheTray();
};

void UserSession::AssignAFunction()
{
    // Apply before any key is selected only warns.
    ASSERT_TRUE(RealClick(kFunctionTab));
    ASSERT_TRUE(RealClick(kNextAudioOutput));
    ASSERT_TRUE(RealClick(kApply));
    ASSERT_TRUE(RealAnswer(kCancel));
    EXPECT_FALSE(e2e::Exists(FunCfg()));
    ASSERT_TRUE(RealClick(KeyPoint(3)));
    Shoot(L"page-function-keys");
    EXPECT_EQ(ApplyAs(kApply), L"Next Audio Output");
    EXPECT_EQ(SectionLines(FunCfg(), "F3"),
              (std::vector<std::string>{"DisplayName=Next Audio Output",
                                        "IconFile=" + Path() + "resource\\Function\\ico\\430.ico", "1=430", "Type=4",
                                        "Count=1"}));
}

void UserSession::RecordAMacroAndEditAStep()
{
    // F3 shows its own page; a recording ends when its page is hidden (here by the key table's
    // rebuild for the selected key), and its keys are no longer taken.
    ASSERT_FALSE(MacroPageShown());
    ASSERT_TRUE(RealClick(kMacroTab));
    ASSERT_TRUE(WaitFor(5000, [] { return MacroPageShown(); }));
    ASSERT_TRUE(RealClick(kRecordBox));
    ASSERT_TRUE(WaitFor(10000, [] { return Visible(L"TDimmingForm", L"MaskMKForm") != nullptr; }));
    ASSERT_TRUE(Keys(window_, L"x"));
    ASSERT_TRUE(program_->SubCode(MKM_KEY_CHANGED, 3));
    EXPECT_EQ(Visible(L"TDimmingForm", L"MaskMKForm"), nullptr);
    EXPECT_FALSE(MacroPageShown());

    // Cleared, then recorded again: two keys and stop give A down, delay, A up, delay, B down,
    // delay, B up (the first event only starts the clock).
    ASSERT_TRUE(RealClick(kMacroTab));
    ASSERT_TRUE(WaitFor(5000, [] { return MacroPageShown(); }));
    ASSERT_TRUE(RealClick(kMacroClear));
    ASSERT_TRUE(RealClick(kRecordBox));
    ASSERT_TRUE(WaitFor(10000, [] { return Visible(L"TDimmingForm", L"MaskMKForm") != nullptr; }));
    ASSERT_TRUE(Keys(window_, L"a b"));
    ASSERT_TRUE(RealClick(kRecordBox));
    ASSERT_TRUE(WaitFor(10000, [] { return Visible(L"TDimmingForm", L"MaskMKForm") == nullptr; }));
    ASSERT_TRUE(Keys(window_, L"c")) << "nothing is hooked any more";
    Shoot(L"page-macro-keys");
    // Each slot has the face of its kind (seen in the glyph, where no text goes); slot 8 is empty.
    const WindowShot shot(window_);
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

    // Apply for F5 stores F5 and F5_UI in their order.
    ASSERT_TRUE(RealClick(KeyPoint(5)));
    EXPECT_EQ(ApplyAs(kMacroApply), L"A B");
    const std::vector<std::string> key = SectionLines(FunCfg(), "F5");
    ASSERT_EQ(key.size(), 21u);
    EXPECT_EQ(Joined(key, 19), "DisplayName=A B IconFile= 1=65 2=66 3= 4= 5= 6= 7= 8= 9= 10= 11= 12= 13= 14= 15= "
                               "Type=129 Count=2");
    ASSERT_EQ(key[19].rfind("1_code=0x", 0), 0u);
    const std::uint32_t code = std::stoul(key[19].substr(7), nullptr, 16);
    EXPECT_EQ((code >> 1) & 0xFF, 0x1Eu) << "A's scan code";
    EXPECT_LT(UnpackMacroCodeWord(code).DownMs, UnpackMacroCodeWord(code).UpMs);
    std::vector<std::string> steps = SectionLines(FunCfg(), "F5_UI");
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

    // The key-step dialog over step 1 takes the key released next, for the step and its key up;
    // a click on the dim closes it.
    HWND dialog = OpenStep(1);
    ASSERT_NE(dialog, nullptr);
    RECT at{}, frame{};
    GetWindowRect(dialog, &at);
    GetWindowRect(window_, &frame);
    EXPECT_EQ(at.left - frame.left, SlotCorner(1).x) << "laid over the step";
    EXPECT_EQ(at.top - frame.top, SlotCorner(1).y);
    const auto field = [&] { return WindowText(FindWindowExW(dialog, nullptr, nullptr, nullptr)); };
    EXPECT_EQ(field(), L"A");
    ASSERT_TRUE(Keys(window_, L"c"));
    EXPECT_EQ(field(), L"C");
    Shoot(L"page-macro-key-step");
    ASSERT_TRUE(RealClick(kOnTheDim, Visible(L"TDimmingForm", L"MaskForm")));
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    EXPECT_EQ(ApplyAs(kMacroApply), L"A B") << "the stored name is offered";
    EXPECT_EQ(e2e::IniValue(FunCfg(), "F5", "1"), "67");
    for (const char* step : {"1_dis", "3_dis"})
        EXPECT_EQ(e2e::IniValue(FunCfg(), "F5_UI", step), "C") << step;
    const std::uint32_t edited = std::stoul(e2e::IniValue(FunCfg(), "F5", "1_code").value_or("0"), nullptr, 16);
    EXPECT_EQ((edited >> 1) & 0xFF, 0x2Eu) << "C's scan code";
    EXPECT_EQ(edited >> 9, code >> 9) << "the key's times stay";

    // A delay step's field is narrower. The key's reload while it is edited ends the editing; a
    // click on the dim still closes the dialog it left open, and nothing is written.
    dialog = OpenStep(2);
    ASSERT_NE(dialog, nullptr);
    RECT fieldRect{};
    GetWindowRect(FindWindowExW(dialog, nullptr, nullptr, nullptr), &fieldRect);
    EXPECT_EQ(fieldRect.right - fieldRect.left, 45);
    const std::optional<std::string> stored = e2e::ReadFileBytes(FunCfg());
    ASSERT_TRUE(program_->SubCode(MKM_KEY_CHANGED, 5));
    ASSERT_TRUE(Keys(window_, L"4 2"));
    EXPECT_EQ(field(), L"") << "digits after the reload are not taken";
    ASSERT_TRUE(RealClick(kOnTheDim, Visible(L"TDimmingForm", L"MaskForm")));
    EXPECT_TRUE(program_->WaitUntilGone(dialog));
    EXPECT_EQ(e2e::ReadFileBytes(FunCfg()), stored);
}

void UserSession::PickAShortcut()
{
    // A refused pick leaves the earlier one for Apply.
    ASSERT_TRUE(RealClick(kShortcutTab));
    ASSERT_TRUE(RealClick(KeyPoint(1)));
    ASSERT_TRUE(Pick(folder_->Path() + L"witness.exe"));
    ASSERT_TRUE(Pick(folder_->Path() + L".profile"));
    ASSERT_TRUE(RealAnswer(kCancel));
    Shoot(L"page-shortcut");
    EXPECT_EQ(ApplyAs(kApply, L"Witness run"), L"witness");
    EXPECT_EQ(SectionLines(FunCfg(), "F1"),
              (std::vector<std::string>{"DisplayName=Witness run", "IconFile=" + Path() + "witness.exe",
                                        "1=" + Path() + "witness.exe", "2=", "3=", "4=", "5=", "Type=3", "Count=1"}));
}

void UserSession::TypeTexts()
{
    // One text on F4.
    ASSERT_TRUE(RealClick(kTextTab));
    ASSERT_TRUE(RealClick(KeyPoint(4)));
    ASSERT_TRUE(RealClick(kAgree));
    ASSERT_TRUE(RealClick(kFirstField));
    const HWND first = program_->ControlAt(kFirstField.x, kFirstField.y);
    ASSERT_TRUE(Keys(window_, L"", L"Hello!"));
    EXPECT_TRUE(WaitFor(5000, [&] { return WindowText(first) == L"Hello!"; })) << e2e::Utf8(WindowText(first));
    EXPECT_EQ(ApplyAs(kApply), L"Hello!");
    EXPECT_EQ(SectionLines(FunCfg(), "F4"),
              (std::vector<std::string>{"DisplayName=Hello!", "IconFile=", "1=Hello!", "3=", "4=", "5=",
                                        "Type=2", "Count=1"}));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"Setting.ini"), "Info", "TW_Warning"), "1");

    // Two texts on F2: keys outside printable ASCII and past the budget are refused, a paste is
    // filtered and cut to the budget.
    // An unassigned key keeps the page's texts.
    ASSERT_TRUE(RealClick(KeyPoint(2)));
    ASSERT_TRUE(RealClick(kFirstField));
    ASSERT_TRUE(Keys(window_, L"End shift+Home BackSpace apostrophe", L"hi"));
    PostMessageW(first, WM_CHAR, L'\u00e9', 1);
    ASSERT_TRUE(Keys(window_, L"ctrl+v", L" x"));
    ASSERT_TRUE(Keys(window_, L"apostrophe"));
    EXPECT_TRUE(WaitFor(5000, [&] { return WindowText(first) == L"'hi x'"; })) << e2e::Utf8(WindowText(first));
    ASSERT_TRUE(RealClick(kSecondText));
    const HWND second = program_->ControlAt(kSecondField.x, kSecondField.y);
    ASSERT_NE(second, first);
    SendMessageW(second, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>((L"\u4e2d" + std::wstring(60, L'y')).c_str()));
    EXPECT_TRUE(WaitFor(5000, [&] { return WindowText(second) == std::wstring(44, L'y'); }))
        << e2e::Utf8(WindowText(second));
    ASSERT_TRUE(RealClick(kFirstField));
    ASSERT_TRUE(Keys(window_, L"End z"));
    ASSERT_TRUE(RealClick(kSecondField));
    ASSERT_TRUE(Keys(window_, L"End " + Repeated(L"BackSpace", 41)));
    EXPECT_TRUE(WaitFor(5000, [&] { return WindowText(second) == L"yyy"; })) << e2e::Utf8(WindowText(second));
    EXPECT_EQ(WindowText(first), L"'hi x'") << "no room was left for the z";
    Shoot(L"page-smart-input");
    EXPECT_EQ(ApplyAs(kApply, L" Greeting "), L"'hi x'");
    EXPECT_EQ(SectionLines(FunCfg(), "F2"),
              (std::vector<std::string>{"2=yyy", "DisplayName=\" Greeting \"", "IconFile=", "1=\"'hi x'\"", "3=", "4=",
                                        "5=", "Type=2", "Count=2"}));
}

void UserSession::PressTheKeys()
{
    EXPECT_EQ(KeyTable(), ExpectedKeyTable(folder_->Path()));
    const std::size_t tables = TableWrites();
    // Texts and macros run in the controller: the program starts nothing for them.
    for (const wchar_t* key : {L"F2", L"F4", L"F5"})
        EXPECT_EQ(folder_->Run(L"simkey.exe", {key}).exitCode, 0u) << e2e::Utf8(key);
    EXPECT_FALSE(e2e::Exists(folder_->State(L"witness.log")));
    EXPECT_EQ(Calls("Sonaflip SetNextPlaybackDeviceAsDefault"), 0u);

    EXPECT_EQ(folder_->Run(L"simkey.exe", {L"F3"}).exitCode, 0u);
    EXPECT_EQ(Calls("Sonaflip SetNextPlaybackDeviceAsDefault"), 1u);
    EXPECT_EQ(e2e::IniValue(folder_->State(L"audio.ini"), "Audio", "Default"), "Speakers");

    EXPECT_EQ(folder_->Run(L"simkey.exe", {L"F1"}).exitCode, 0u);
    EXPECT_TRUE(WaitFor(10000, [] {
        return e2e::ReadFileBytes(folder_->State(L"witness.log")).value_or("").find("witness.exe") != std::string::npos;
    })) << "the shortcut's target was started";
    EXPECT_EQ(TableWrites(), tables);
}

void UserSession::SaveCleanAndLoadAProfile()
{
    const WindowShot assigned(window_);
    const std::optional<std::string> keys = e2e::ReadFileBytes(FunCfg());
    const std::vector<std::uint8_t> table = KeyTable();

    HWND box = RealClick(kSave) ? program_->WaitForTopLevel(L"TfrmProfileBox") : nullptr;
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(RealClick(kBoxName, box));
    ASSERT_TRUE(Keys(box, L"", L"Game"));
    ASSERT_TRUE(RealClick(kBoxSave, box));
    ASSERT_TRUE(program_->WaitUntilGone(box));
    EXPECT_EQ(e2e::ReadFileBytes(folder_->File(L"profile\\Game.mck")), keys);

    // Every key cleaned after the question: the buttons read F1 to F10.
    std::size_t tables = TableWrites();
    ASSERT_TRUE(RealClick(kCleanAll));
    ASSERT_TRUE(RealAnswer(kConfirm));
    ASSERT_TRUE(WaitFor(20000, [&] { return TableWrites() == tables + 1; }));
    for (const char* key : {"F1", "F2", "F3", "F4", "F5"})
        EXPECT_EQ(e2e::IniValue(FunCfg(), key, "Type"), std::nullopt) << key;
    EXPECT_TRUE(WaitFor(10000, [&] { return !KeysLookAs(assigned); }));

    // The box only asks; the main window applies the profile when the broadcast arrives.
    tables = TableWrites();
    box = RealClick(kLoad) ? program_->WaitForTopLevel(L"TfrmProfileBox") : nullptr;
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(RealClick(kBoxFirstRow, box));
    Shoot(L"profile-box");
    ASSERT_TRUE(RealClick(kBoxLoad, box));
    ASSERT_TRUE(program_->WaitUntilGone(box));
    ASSERT_TRUE(WaitFor(20000, [&] { return TableWrites() == tables + 1; }));
    EXPECT_EQ(e2e::IniValue(folder_->File(L"profile\\TargetProfile.ini"), "TargetProfile", "NAME"), "Game");
    EXPECT_EQ(e2e::ReadFileBytes(FunCfg()), keys);
    // The controller logs the write before it stores the table.
    EXPECT_TRUE(WaitFor(5000, [&] { return KeyTable() == table; }));
    EXPECT_TRUE(WaitFor(10000, [&] { return KeysLookAs(assigned); })) << "the keys are drawn again";
    RECT frame{};
    GetWindowRect(window_, &frame);
    ASSERT_TRUE(OnDisplay(L"mousemove " + std::to_wstring(frame.left + 700) + L" " + std::to_wstring(frame.top + 575)));
    Shoot(L"main-window");
}

void UserSession::SwitchAndExitThroughTheTray()
{
    HWND icon = nullptr;
    ASSERT_TRUE(WaitFor(10000, [] { return !NotificationAreaIcons().empty(); }));
    for (HWND each : NotificationAreaIcons())
        if (TipOf(each) == L"Tastro")
            icon = each;
    ASSERT_NE(icon, nullptr);
    // The menu of a right click on the icon, and a click on its first or last line.
    const auto open = [&] { return ClickIcon(icon, 3) ? program_->WaitForTopLevel(L"#32768", 10000) : nullptr; };
    const auto choose = [&](HWND menu, bool first) {
        RECT area{};
        GetWindowRect(menu, &area);
        return menu && OnDisplay(L"mousemove " + std::to_wstring(area.left + 30) + L" " +
                                 std::to_wstring(first ? area.top + 10 : area.bottom - 10) + L" sleep 0.3 click 1");
    };
    EXPECT_GE(Calls("VnTranslateStr \"On\""), 1u);
    EXPECT_GE(Calls("VnTranslateStr \"Exit\""), 1u);
    EXPECT_EQ(Calls("VnTranslateStr \"-\""), 0u) << "the separator is no text";
    HWND menu = open();
    ASSERT_TRUE(choose(menu, true) && program_->WaitUntilGone(menu));
    EXPECT_TRUE(WaitFor(10000, [] { return Setting("Switch") == "0"; }));
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 0 1"), 1u);
    const HWND box = program_->ControlAt(kSwitch.x, kSwitch.y);
    EXPECT_FALSE(IsWindowEnabled(box)) << "the main switch is guarded too";

    // While the guard runs the line is disabled: a click on it leaves the menu open. Another right
    // click reported meanwhile pops no second menu, which would hold the report until it closed.
    menu = open();
    ASSERT_TRUE(choose(menu, true));
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(menu));
    EXPECT_EQ(folder_->Run(L"tastromsg.exe", {L"tray", L"0x205"}).exitCode, 0u);
    ASSERT_TRUE(OnDisplay(L"mousemove 800 990 sleep 0.3 click 1"));
    ASSERT_TRUE(program_->WaitUntilGone(menu));
    ASSERT_TRUE(program_->Send(WM_NULL, 0, 0));
    EXPECT_EQ(Setting("Switch"), "0");
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031"), 2u);

    // A HID device's arrival ends the guard early; the line switches the keys on again.
    ASSERT_TRUE(program_->Send(WM_DEVICECHANGE, 0x8000, 0));
    ASSERT_TRUE(IsWindowEnabled(box));
    menu = open();
    ASSERT_TRUE(choose(menu, true) && program_->WaitUntilGone(menu));
    EXPECT_TRUE(WaitFor(10000, [] { return Setting("Switch") == "1"; }));
    EXPECT_EQ(Calls("AcpiSetItem 0x13070031 1 1"), 2u) << "at start and now";

    menu = open();
    ASSERT_TRUE(choose(menu, false));
    EXPECT_EQ(program_->WaitForExit(30000), 0u);
    EXPECT_EQ(Calls("Sysbridge VnSysSvr_UnregisterNotify"), 1u);
    EXPECT_TRUE(WaitFor(10000, [&] { return !IsWindow(icon) || !IsWindowVisible(icon); }))
        << "the icon left the notification area";
}

TEST_F(UserSession, AssignsEveryKindOfKeyUsesThemAndAProfileAndEndsThroughTheTray)
{
    std::printf("page screenshots: %s\n", e2e::Utf8(ShotFolder()).c_str());
    ASSERT_NO_FATAL_FAILURE(AssignAFunction());
    ASSERT_NO_FATAL_FAILURE(RecordAMacroAndEditAStep());
    ASSERT_NO_FATAL_FAILURE(PickAShortcut());
    ASSERT_NO_FATAL_FAILURE(TypeTexts());
    ASSERT_NO_FATAL_FAILURE(PressTheKeys());
    ASSERT_NO_FATAL_FAILURE(SaveCleanAndLoadAProfile());
    ASSERT_NO_FATAL_FAILURE(SwitchAndExitThroughTheTray());
}

} // namespace
} // namespace mainwindow
