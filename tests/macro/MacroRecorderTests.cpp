#include "FunData.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "MacroCodeWord.h"
#include "MacroRecorder.h"
#include "MainWindowProtocol.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

struct FakeView final : MacroRecorderView {
    void SetRecordBox(bool checked, const std::wstring& caption) override
    {
        recordBox = checked;
        recordCaption = caption;
    }
    void SetFixedDelayBox(bool checked) override { fixedDelayBox = checked; }
    void SetApplyEnabled(bool enabled) override { apply = enabled; }
    void SetClearEnabled(bool enabled) override { clear = enabled; }
    void ShowBudget(const std::wstring& text, std::uint32_t colour, bool visible) override
    {
        budget = text;
        budgetColour = colour;
        budgetVisible = visible;
    }
    void SetBudgetVisible(bool visible) override { budgetVisible = visible; }
    void SetRecordingOverlay(bool shown) override { overlay = shown; }
    void InstallHook() override { hooked = true; }
    void RemoveHook() override { hooked = false; }
    void SlotChanged(int number, const _CombinedKey& slot) override { shownSlots[number] = slot.Used; }
    void SetEditorText(const std::wstring& text) override { editorText = text; }
    int DelayFieldValue() override { return delayField; }

    bool recordBox = false, fixedDelayBox = false, apply = false, clear = false, budgetVisible = false;
    bool overlay = false, hooked = false;
    std::wstring recordCaption, budget, editorText;
    std::uint32_t budgetColour = 0;
    int delayField = 0;
    std::map<int, bool> shownSlots;
};

struct FakeClock final : RecordingClock {
    std::uint32_t Now() override { return now; }
    std::uint32_t now = 0;
};

constexpr std::uint32_t Down(std::uint32_t vk) { return vk | kHookKeyDown; }
constexpr std::uint32_t Up(std::uint32_t vk) { return vk | kHookKeyUp; }
constexpr std::uint32_t kRightCtrl = 0xA3;

struct Event {
    std::uint32_t atMs;
    std::uint32_t lParam;
};

class MacroRecorderTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder.WriteAnsi(L"KeyboardValue.cfg", "[Info]\r\ncount=6\r\n[Key]\r\n"
                                               "1_dis=A\r\n1_keyVal=65\r\n1_code=0x1E0000\r\n"
                                               "2_dis=C\r\n2_keyVal=67\r\n2_code=0x2E0000\r\n"
                                               "3_dis=RCtrl\r\n3_keyVal=163\r\n3_code=0x1D00\r\n"
                                               "4_dis=1\r\n4_keyVal=49\r\n4_code=0x20000\r\n"
                                               "5_dis=2\r\n5_keyVal=50\r\n5_code=0x30000\r\n"
                                               "6_dis=0\r\n6_keyVal=96\r\n6_code=0x520000\r\n");
        recorder.LoadKeyboardValues();
    }

    // Starts a recording and plays the events at their times (ms after the start).
    void Record(const std::vector<Event>& events)
    {
        recorder.StartRecording();
        for (const Event& event : events) {
            clock.now = 100000 + event.atMs;
            recorder.OnHookKey(event.lParam);
        }
    }

    // "v:A" a key down, "^:A" a key up, digits a delay; used slots in order.
    std::wstring Steps() const
    {
        std::wstring steps;
        for (const auto& [number, slot] : recorder.Slots()) {
            if (!slot.Used)
                continue;
            const wchar_t* prefix = slot.Kind == 1 ? L"v:" : slot.Kind == 2 ? L"^:" : L"";
            steps += (steps.empty() ? L"" : L" ") + std::wstring(prefix) + std::wstring(FieldText(slot.Text));
        }
        return steps;
    }

    // "key down-time/up-time down-slot/up-slot" for every key-list entry.
    std::wstring Keys() const
    {
        std::wostringstream keys;
        const ZavadOvaList& list = recorder.KeyList();
        for (int i = 0; i < list.KeyCount; ++i)
            keys << (i ? L" " : L"") << list.Keys[i] << L" " << list.DownTimes[i] << L"/" << list.UpTimes[i] << L" "
                 << list.DownSlots[i] << L"/" << list.UpSlots[i];
        return keys.str();
    }

    ScratchFolder folder;
    FakeView view;
    FakeClock clock;
    MacroRecorder recorder{view, clock, [](const std::wstring& text) { return L"~" + text; }};
};

TEST_F(MacroRecorderTest, RecordsStepsDelaysAndKeyTimes)
{
    struct Case {
        const char* name;
        bool fixed;
        int delayField;
        std::vector<Event> events;
        std::wstring steps, keys;
    };
    const Case cases[] = {
        {"press and release", false, 0, {{0, Down('A')}, {120, Up('A')}}, L"v:A 120 ^:A", L"65 0/120 1/3"},
        {"short delays become 10 ms",
         false,
         0,
         {{0, Down('A')}, {4, Down('C')}, {50, Up('C')}, {60, Up('A')}},
         L"v:A 10 v:C 46 ^:C 10 ^:A",
         L"65 0/60 1/7 67 4/50 3/5"},
        {"unknown keys and events without a flag are no steps", false, 0,
         {{0, Down('A')}, {30, Down(0x99)}, {40, 'A'}, {90, Up('A')}}, L"v:A 90 ^:A", L"65 0/90 1/3"},
        {"fixed delay", true, 100,
         {{0, Down('A')}, {50, Down('C')}, {70, Down(kRightCtrl)}, {75, Up(kRightCtrl)}},
         L"v:A 100 v:C 100 v:RCtrl 100 ^:RCtrl", L"65 0/0 1/0 67 100/0 3/0 163 200/300 5/7"},
        // The key times follow the delay steps: an empty or too small field plays as 10 ms.
        {"fixed delay from an empty field", true, 0,
         {{0, Down('A')}, {50, Down('C')}, {70, Up('C')}, {75, Up('A')}},
         L"v:A 10 v:C 10 ^:C 10 ^:A", L"65 0/30 1/7 67 10/20 3/5"},
        {"fixed delay below 10", true, 4, {{0, Down('A')}, {50, Down('C')}, {70, Up('C')}},
         L"v:A 10 v:C 10 ^:C", L"65 0/0 1/0 67 10/20 3/5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(recorder.SetFixedDelay(c.fixed));
        view.delayField = c.delayField;
        recorder.ClearActions();
        Record(c.events);
        EXPECT_EQ(Steps(), c.steps);
        EXPECT_EQ(Keys(), c.keys);
        EXPECT_TRUE(recorder.IsRecording());
    }
    // A delay never follows a delay; events outside a recording change nothing.
    ASSERT_TRUE(recorder.SetFixedDelay(false));
    recorder.ClearActions();
    Record({{0, Down('A')}});
    recorder.AddAction(0, MACRO_STEP_DELAY);
    recorder.AddAction(0, MACRO_STEP_DELAY);
    recorder.StopRecording();
    recorder.OnHookKey(Down('C'));
    EXPECT_EQ(Steps(), L"v:A 10");
}

TEST_F(MacroRecorderTest, DelayBudgetWarnsAndThenStopsTheRecording)
{
    struct Case {
        std::uint32_t delay;
        std::wstring label;
        std::uint32_t colour;
        bool recording, apply;
    };
    const Case cases[] = {
        {18999, L"~1001 ms left", MacroRecorder::kBudgetColour, true, false},
        {19000, L"~The maximum recording time is 20s.  1000 ms left", MacroRecorder::kBudgetWarningColour, true, false},
        {20001, L"~The maximum recording time is 20s.  -1 ms left", MacroRecorder::kBudgetWarningColour, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delay);
        recorder.ClearActions();
        Record({{0, Down('A')}, {c.delay, Up('A')}});
        EXPECT_EQ(view.budget, c.label);
        EXPECT_EQ(view.budgetColour, c.colour);
        EXPECT_TRUE(view.budgetVisible);
        EXPECT_EQ(recorder.IsRecording(), c.recording);
        EXPECT_EQ(view.hooked, c.recording);
        EXPECT_EQ(view.overlay, c.recording);
        EXPECT_EQ(view.recordBox, c.recording);
        EXPECT_EQ(view.recordCaption, c.recording ? L"~Stop" : L"~Record");
        EXPECT_EQ(view.apply, c.apply);
        // The key that came with the delay is recorded too.
        EXPECT_EQ(recorder.ActionCount(), 3);
    }
    EXPECT_TRUE(view.clear);
}

TEST_F(MacroRecorderTest, StepsStopAt59AndTheKeyListAt15)
{
    std::vector<Event> events;
    for (std::uint32_t i = 0; i < 40; ++i) {
        events.push_back({i * 40, Down('A')});
        events.push_back({i * 40 + 20, Up('A')});
    }
    Record(events);
    EXPECT_EQ(recorder.ActionCount(), 59);
    EXPECT_EQ(recorder.KeyList().KeyCount, 15);
    EXPECT_TRUE(recorder.IsRecording());
    recorder.StopRecording();
    EXPECT_TRUE(view.apply && view.clear);
    EXPECT_FALSE(view.budgetVisible);
}

TEST(KeyboardValueMap, ReadsThePresentEntriesUpToTheCountOnce)
{
    ScratchFolder folder;
    const std::string entries = "[Key]\r\n3_dis=C\r\n3_keyVal=67\r\n3_code=0x2E0000\r\n"
                                "1_dis=A\r\n1_keyVal=65\r\n1_code=0x1E0000\r\n01_dis=X\r\n01_keyVal=88\r\n"
                                "7_dis=First A\r\n7_keyVal=65\r\n9_keyVal=68\r\n";
    folder.WriteAnsi(L"huge.cfg", "[Info]\r\ncount=2147483647\r\n" + entries);
    folder.WriteAnsi(L"small.cfg", "[Info]\r\ncount=3\r\n" + entries);
    const KeyboardValueMapType huge = LoadKeyboardValueMap(folder.File(L"huge.cfg"));
    ASSERT_EQ(huge.size(), 3u);
    EXPECT_EQ(huge.at(65).DisplayText, L"A");
    EXPECT_EQ(huge.at(67).DeviceCode, 0x2E0000);
    EXPECT_EQ(huge.at(68).DisplayText, L"");
    EXPECT_EQ(LoadKeyboardValueMap(folder.File(L"small.cfg")).size(), 2u);
    EXPECT_TRUE(LoadKeyboardValueMap(folder.File(L"missing.cfg")).empty());
}

TEST(MacroCodeWord, PacksTimesInTenMillisecondUnitsWithinTheirFields)
{
    struct Case {
        std::int32_t deviceCode, downMs, upMs;
        std::uint32_t word;
    };
    const Case cases[] = {
        {0x1E0000, 0, 0, 0x10023C},          // no key up: 1 unit in both fields
        {0x1D00, 250, 370, 0x250323B},       // extended key
        {0x1D0000, 0, 260, 0x1A0023A},
        {0, 100, 200, 0x1401400},            // a key without a device code
        {0x1E0000, 20480, 29997, 0x7FFFFE3C}, // both times clamped to 2047 units
        {0x1E0000, -5, 20470, 0x7FF0023C},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackMacroCodeWord(c.deviceCode, c.downMs, c.upMs), c.word) << std::hex << c.word;
        const MacroKeyTimes times = UnpackMacroCodeWord(c.word);
        EXPECT_EQ(times.DownMs, std::clamp(c.downMs / 10, 1, 2047) * 10);
        EXPECT_EQ(times.UpMs, std::clamp(c.upMs / 10, 1, 2047) * 10);
    }
}

std::vector<std::string> SectionLines(const std::wstring& path, const std::string& section)
{
    std::istringstream text(ReadBytes(path));
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            inside = line == "[" + section + "]";
        else if (inside && !line.empty())
            lines.push_back(line);
    }
    return lines;
}

TEST_F(MacroRecorderTest, FunCfgRoundTripKeepsTheStepsAndTheFileLayout)
{
    Record({{0, Down(kRightCtrl)}, {120, Down('C')}, {200, Up('C')}, {260, Up(kRightCtrl)}});
    recorder.StopRecording();
    EXPECT_EQ(recorder.DefaultMacroName(), L"RCtrl C");
    ASSERT_EQ(recorder.WriteFunCfg(6, L"first"), MacroWriteResult::Written);
    ASSERT_EQ(recorder.WriteFunCfg(5, L"Copy\r\n[F2]"), MacroWriteResult::Written);
    EXPECT_EQ(recorder.WriteFunCfg(0, L"none"), MacroWriteResult::NoKeySelected);
    EXPECT_EQ(SectionLines(FunCfgPath(), "F6").front(), "DisplayName=first");
    // An over-long name is cut alike in the file and in the record.
    ASSERT_EQ(recorder.WriteFunCfg(7, std::wstring(80, L'M')), MacroWriteResult::Written);
    EXPECT_EQ(SectionLines(FunCfgPath(), "F7").front(), "DisplayName=" + std::string(63, 'M'));
    EXPECT_EQ(FieldText(FindFunData(7)->DisplayName), std::wstring(63, L'M'));

    std::vector<std::string> expected = {"DisplayName=Copy[F2]", "IconFile=", "1=163", "2=67"};
    for (int i = 3; i <= 15; ++i)
        expected.push_back(std::to_string(i) + "=");
    expected.insert(expected.end(), {"Type=129", "Count=2", "1_code=0x1a0023b", "2_code=0x140185c"});
    EXPECT_EQ(SectionLines(FunCfgPath(), "F5"), expected);
    const std::vector<std::string> ui = SectionLines(FunCfgPath(), "F5_UI");
    ASSERT_EQ(ui.size(), 59u * 3);
    EXPECT_EQ(std::vector<std::string>(ui.begin(), ui.begin() + 6),
              (std::vector<std::string>{"1_status=1", "1_dis=RCtrl", "1_key=163", "2_status=3", "2_dis=120", "2_key=120"}));
    EXPECT_EQ(std::vector<std::string>(ui.end() - 3, ui.end()),
              (std::vector<std::string>{"59_status=0", "59_dis=", "59_key=0"}));
    const _FunData* record = FindFunData(5);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Type, FUN_TYPE_MACRO);
    EXPECT_EQ(record->Count, 2);
    EXPECT_EQ(FieldText(record->DisplayName), L"Copy[F2]");
    EXPECT_EQ(FieldText(record->Value[1]), L"67");
    EXPECT_EQ(FieldText(record->Value[2]), L"");

    const std::wstring steps = Steps();
    recorder.LoadFromFunCfg(5);
    EXPECT_EQ(Steps(), steps);
    // Times come back in whole 10 ms units; a missing time as one unit.
    EXPECT_EQ(Keys(), L"163 10/260 1/7 67 120/200 3/5");
    EXPECT_EQ(recorder.ActionCount(), 7);
    EXPECT_TRUE(view.apply);
}

TEST_F(MacroRecorderTest, HandEditedFunCfgLoadsSafely)
{
    folder.WriteAnsi(L"fun.cfg", "[F2]\r\nType=129\r\nCount=-3\r\n"
                                 "[F2_UI]\r\n1_status=7\r\n1_key=65\r\n2_status=1\r\n2_dis=A\r\n2_key=65\r\n"
                                 "3_status=-1\r\n4_status=2\r\n4_dis=" + std::string(100, 'x') + "\r\n4_key=65\r\n"
                                 "[F3]\r\nType=129\r\nCount=99\r\n1=200\r\n1_code=0x10023c\r\n2=65\r\n");
    recorder.LoadFromFunCfg(2);
    EXPECT_EQ(recorder.KeyList().KeyCount, 0);
    EXPECT_EQ(Steps(), L"v:A ^:" + std::wstring(63, L'x'));
    EXPECT_EQ(recorder.ActionCount(), 2);

    // Count is cut to 15; a key KeyboardValue.cfg does not name is written without a scan code.
    recorder.LoadFromFunCfg(3);
    EXPECT_EQ(recorder.KeyList().KeyCount, 15);
    ASSERT_EQ(recorder.WriteFunCfg(3, L"imported"), MacroWriteResult::Written);
    IniFile file(FunCfgPath());
    EXPECT_EQ(file.ReadString(L"F3", L"1_code", L"", 64), L"0x100200");
    EXPECT_EQ(file.ReadString(L"F3", L"2_code", L"", 64), L"0x10023c");
    EXPECT_EQ(file.ReadString(L"F3", L"3", L"?", 64), L"");
}

TEST_F(MacroRecorderTest, ClearingStopsARunningRecording)
{
    Record({{0, Down('A')}, {50, Up('A')}});
    recorder.ClearActions();
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_FALSE(view.hooked || view.overlay || view.recordBox || view.apply || view.clear || view.budgetVisible);
    EXPECT_EQ(view.recordCaption, L"~Record");
    EXPECT_EQ(view.budget, L"~20000 ms left");
    EXPECT_EQ(recorder.ActionCount(), -1);
    EXPECT_TRUE(std::none_of(view.shownSlots.begin(), view.shownSlots.end(), [](const auto& s) { return s.second; }));
    EXPECT_FALSE(recorder.AnySlotUsed());
}

TEST_F(MacroRecorderTest, EditingAStepChangesItsPartnerAndTheKeyList)
{
    Record({{0, Down('A')}, {300, Up('A')}});
    EXPECT_FALSE(recorder.BeginEdit(1)) << "not while recording";
    recorder.StopRecording();

    EXPECT_EQ(recorder.BeginEdit(3), L"A");
    recorder.OnHookKey(Down('C'));
    recorder.OnHookKey(Up('C'));
    EXPECT_EQ(view.editorText, L"C");
    recorder.ApplyEdit();
    EXPECT_EQ(Steps(), L"v:C 300 ^:C");
    EXPECT_EQ(Keys(), L"67 0/300 1/3");

    EXPECT_EQ(recorder.BeginEdit(2), L"");
    for (const std::uint32_t key : {0x31u, 0x41u, 0x32u, 0x60u, 0x31u, 0x31u, 0x31u})
        recorder.OnHookKey(Up(key));
    EXPECT_EQ(view.editorText, L"2011");
    recorder.ApplyEdit();
    EXPECT_EQ(Steps(), L"v:C 2011 ^:C");

    // Another key empties the text but keeps the delay typed before it.
    recorder.BeginEdit(2);
    for (const std::uint32_t key : {0x32u, 0x31u, 0x41u})
        recorder.OnHookKey(Up(key));
    recorder.ApplyEdit();
    EXPECT_EQ(Steps(), L"v:C 21 ^:C");

    // Closing the editor without a key changes nothing; afterwards events are ignored.
    recorder.BeginEdit(2);
    recorder.ApplyEdit();
    recorder.OnHookKey(Up('1'));
    EXPECT_EQ(Steps(), L"v:C 21 ^:C");
}

TEST_F(MacroRecorderTest, FailedWritesChangeNothing)
{
    Record({{0, Down('A')}, {50, Up('A')}});
    recorder.StopRecording();
    ASSERT_TRUE(CreateDirectoryW(FunCfgPath().c_str(), nullptr));
    EXPECT_EQ(recorder.WriteFunCfg(4, L"blocked"), MacroWriteResult::Failed);
    EXPECT_EQ(FindFunData(4), nullptr);
    EXPECT_FALSE(FileExists(FunCfgPath() + L".new"));
}

} // namespace
