#include "MacroRecorder.h"

#include "FunData.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "MacroFunCfg.h"
#include "MainMessages.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace {

// The delay field holds at most four digits.
constexpr int kMaxDelayField = 9999;
constexpr std::size_t kMaxDelayDigits = 4;

int SlotX(int i)
{
    const int column = (i - 1) % 8;
    return (column / 2 + column % 2) * 90 + (column / 2) * 86 + column * 19 + 305;
}

int SlotY(int i)
{
    return (i - 1) / 8 * 40 + 166;
}

// The main row's and the keypad's digit keys.
bool IsDigitKey(std::int32_t key)
{
    return (key >= 0x30 && key <= 0x39) || (key >= 0x60 && key <= 0x69);
}

int LeadingNumber(const std::wstring& text)
{
    int number = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9')
            break;
        number = number * 10 + (c - L'0');
    }
    return number;
}

void Trace(const std::wstring& line)
{
    OutputDebugStringW(line.c_str());
}

} // namespace

MacroRecorder::MacroRecorder(MacroRecorderView& view, RecordingClock& clock, TranslateFunction translate)
    : view_(view), clock_(clock), translate_(std::move(translate))
{
    for (int i = 1; i <= kMacroSlotCount; ++i) {
        _CombinedKey& slot = slots_[i];
        slot.X = SlotX(i);
        slot.Y = SlotY(i);
    }
}

void MacroRecorder::LoadKeyboardValues()
{
    keyboardValues_ = LoadKeyboardValueMap(KeyboardValuePath());
    view_.SetApplyEnabled(true);
    view_.SetClearEnabled(true);
    fixedDelay_ = IniFile(SettingIniPath()).ReadInteger(L"Info", L"TimeType", 0) != 0;
    view_.SetFixedDelayBox(fixedDelay_);
}

bool MacroRecorder::IsKnownKey(std::uint32_t key) const
{
    return keyboardValues_.count(key) != 0;
}

const _KeyInStruct* MacroRecorder::FindKey(std::int32_t key) const
{
    const auto it = keyboardValues_.find(static_cast<std::uint32_t>(key));
    return it == keyboardValues_.end() ? nullptr : &it->second;
}

void MacroRecorder::StartRecording()
{
    if (recording_)
        return;
    recording_ = true;
    // Steps already there are appended to; their new keys count from now.
    if (actionCount_ != 0)
        list_.StartTime = list_.LastKeyTime = clock_.Now();
    else
        actionCount_ = -1;
    edit_.Editing = false;
    view_.SetRecordBox(true, translate_(L"Stop"));
    view_.SetRecordingOverlay(true);
    view_.SetBudgetVisible(true);
    view_.SetApplyEnabled(false);
    view_.SetClearEnabled(false);
    // Last: a failed load shows a message box, whose message loop may already deliver events.
    view_.InstallHook();
}

void MacroRecorder::StopRecording()
{
    if (!recording_)
        return;
    view_.SetBudgetVisible(false);
    EndRecording();
    if (actionCount_ > 0) {
        view_.SetApplyEnabled(true);
        view_.SetClearEnabled(true);
    }
}

void MacroRecorder::EndRecording()
{
    recording_ = false;
    view_.SetRecordBox(false, translate_(L"Record"));
    view_.SetRecordingOverlay(false);
    view_.RemoveHook();
}

bool MacroRecorder::SetFixedDelay(bool on)
{
    if (!WriteIniStringAllOrNothing(SettingIniPath(), L"Info", L"TimeType", on ? L"1" : L"0")) {
        view_.SetFixedDelayBox(fixedDelay_);
        return false;
    }
    fixedDelay_ = on;
    return true;
}

void MacroRecorder::OnHookKey(std::uint32_t word)
{
    // Decided once for both steps: the key that comes with a delay that ends the recording still
    // counts. Outside a recording or an edit, events (from any sender) change nothing.
    if (!recording_ && !edit_.Editing)
        return;
    const std::optional<HookKey> key = DecodeHookKey(word);
    if (!key || !IsKnownKey(key->key))
        return;
    AddAction(kMinDelayMs, MACRO_STEP_DELAY);
    AddAction(static_cast<std::int32_t>(key->key), key->kind);
}

void MacroRecorder::AddAction(std::int32_t value, std::int32_t kind)
{
    if (kind < MACRO_STEP_KEY_DOWN || kind > MACRO_STEP_DELAY)
        return;
    const std::uint32_t now = clock_.Now();
    std::wstring text;
    if (kind != MACRO_STEP_DELAY) {
        Trace(std::wstring(1, static_cast<wchar_t>(value)));
        const _KeyInStruct* key = FindKey(value);
        if (key == nullptr)
            return;
        text = key->DisplayText;
    } else if (actionCount_ > 0) {
        Trace(std::to_wstring(actionCount_) + L"---count");
        // A delay never follows a delay.
        const std::int32_t lastKind = slots_.at(actionCount_).Kind;
        if (lastKind == MACRO_STEP_DELAY) {
            Trace(std::to_wstring(lastKind) + L"---prv..........." + std::to_wstring(kind));
            return;
        }
    }
    if (edit_.Editing) {
        FeedEditor(value, kind, text);
        return;
    }
    if (actionCount_ < 0) {
        // Armed: the first event only starts the clock.
        list_.StartTime = list_.LastKeyTime = now;
        list_.DelaySum = 0;
        actionCount_ = 0;
        return;
    }
    if (actionCount_ >= kMacroSlotCount)
        return;

    const int number = ++actionCount_;
    _CombinedKey& slot = slots_.at(number);
    slot.Used = true;
    slot.Kind = kind;
    slot.SlotNumber = number;
    // The delay steps and the key times use one fixed delay; like every delay it is 10 ms at least.
    std::optional<int> fixedDelay;
    if (fixedDelay_)
        fixedDelay = std::max(std::clamp(view_.DelayFieldValue(), 0, kMaxDelayField), kMinDelayMs);
    if (kind == MACRO_STEP_DELAY) {
        const std::int32_t delay =
            std::max(fixedDelay ? *fixedDelay : static_cast<std::int32_t>(now - list_.LastKeyTime), kMinDelayMs);
        slot.Value = delay;
        CopyField(slot.Text, std::to_wstring(delay));
    } else {
        slot.Value = value;
        list_.LastKeyTime = now;
        CopyField(slot.Text, text);
        LinkKeyStep(value, kind, now, fixedDelay);
    }
    RepaintSlot(number);
}

void MacroRecorder::LinkKeyStep(std::int32_t key, std::int32_t kind, std::uint32_t now, std::optional<int> fixedDelay)
{
    const auto elapsed = static_cast<std::int32_t>(now - list_.StartTime);
    if (kind == MACRO_STEP_KEY_DOWN) {
        // More than 15 keys are recorded as steps; the list keeps the first 15.
        if (list_.KeyCount < kMacroKeyCount)
            list_.Keys[list_.KeyCount++] = key;
        const int i = EntryAwaitingDown(list_, key);
        if (i < 0)
            return;
        list_.DownSlots[i] = actionCount_;
        // With a fixed delay every key after the first plays at its step's place in the rhythm.
        list_.DownTimes[i] = fixedDelay && i > 0 ? *fixedDelay * ((actionCount_ - 1) / 2) + list_.DownTimes[0] : elapsed;
    } else {
        const int i = EntryAwaitingUp(list_, key);
        if (i < 0)
            return;
        list_.UpSlots[i] = actionCount_;
        list_.UpTimes[i] = fixedDelay ? *fixedDelay * ((list_.UpSlots[i] - list_.DownSlots[i]) / 2) + list_.DownTimes[i]
                                      : elapsed;
    }
}

void MacroRecorder::FeedEditor(std::int32_t key, std::int32_t kind, const std::wstring& text)
{
    // Only released keys count.
    if (kind != MACRO_STEP_KEY_UP)
        return;
    if (edit_.DigitEntry) {
        if (!IsDigitKey(key))
            edit_.Text.clear();
        else if (edit_.Text.size() < kMaxDelayDigits)
            edit_.Text += text;
        // An emptied text keeps the delay typed before it.
        if (!edit_.Text.empty() && edit_.Text.size() <= kMaxDelayDigits) {
            edit_.PendingDelay = LeadingNumber(edit_.Text);
            edit_.PendingKey = 0;
        }
    } else {
        edit_.PendingKey = key;
        edit_.PendingDelay = 0;
        edit_.Text = text;
    }
    view_.SetEditorText(edit_.Text);
}

void MacroRecorder::RepaintSlot(int slot)
{
    view_.SlotChanged(slot, slots_.at(slot));
    UpdateTimeBudget();
}

std::wstring MacroRecorder::Format(const wchar_t* english, std::int32_t number) const
{
    // The translated text is not trusted as a format: only its "%d" is replaced.
    std::wstring text = translate_(english);
    const std::size_t at = text.find(L"%d");
    if (at != std::wstring::npos)
        text.replace(at, 2, std::to_wstring(number));
    return text;
}

void MacroRecorder::UpdateTimeBudget()
{
    std::int64_t sum = 0;
    for (int j = 1; j <= kMacroSlotCount; ++j) {
        const _CombinedKey& slot = slots_.at(j);
        if (!slot.Used)
            break;
        if (slot.Kind == MACRO_STEP_DELAY)
            sum += slot.Value;
    }
    constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
    list_.DelaySum = static_cast<std::int32_t>(std::clamp(sum, kLow, kHigh));
    const std::int64_t left = kTimeBudgetMs - sum;
    const auto shown = static_cast<std::int32_t>(std::clamp(left, kLow, kHigh));
    if (left > kBudgetWarningMs) {
        view_.ShowBudget(Format(L"%d ms left", shown), kBudgetColour, true);
        return;
    }
    if (left < 0) {
        view_.SetApplyEnabled(false);
        view_.SetClearEnabled(true);
        if (recording_)
            EndRecording();
    } else {
        view_.SetApplyEnabled(!recording_);
    }
    view_.ShowBudget(Format(L"The maximum recording time is 20s.  %d ms left", shown), kBudgetWarningColour, true);
}

void MacroRecorder::ClearActions()
{
    if (recording_)
        EndRecording();
    const std::int32_t delaySum = list_.DelaySum;
    list_ = ZavadOvaList{};
    list_.DelaySum = delaySum;
    for (auto& [number, slot] : slots_) {
        slot.Used = false;
        slot.SlotNumber = 0;
        slot.Value = 0;
        view_.SlotChanged(number, slot);
    }
    actionCount_ = -1;
    view_.SetApplyEnabled(false);
    view_.SetClearEnabled(false);
    view_.SetRecordBox(false, translate_(L"Record"));
    edit_ = MacroEditState{};
    view_.ShowBudget(translate_(L"20000 ms left"), kBudgetColour, false);
}

std::optional<std::wstring> MacroRecorder::BeginEdit(int slot)
{
    const auto it = slots_.find(slot);
    if (recording_ || it == slots_.end() || !it->second.Used)
        return std::nullopt;
    edit_ = MacroEditState{};
    edit_.Editing = true;
    edit_.EditedSlot = slot;
    edit_.EditedKind = it->second.Kind;
    edit_.DigitEntry = it->second.Kind == MACRO_STEP_DELAY;
    if (!edit_.DigitEntry)
        edit_.Text = FieldText(it->second.Text);
    return edit_.Text;
}

void MacroRecorder::ApplyEdit()
{
    const MacroEditState edit = edit_;
    edit_ = MacroEditState{};
    if (!edit.Editing || edit.EditedSlot == 0)
        return;
    const _CombinedKey& step = slots_.at(edit.EditedSlot);
    if (edit.PendingKey != 0) {
        const _KeyInStruct* key = FindKey(edit.PendingKey);
        const std::wstring text = key != nullptr ? key->DisplayText : std::wstring();
        // The step's key-list entry takes the new key, and its other step with it.
        int partner = 0;
        for (int i = list_.KeyCount - 1; i >= 0; --i) {
            const bool linked = step.Kind == MACRO_STEP_KEY_DOWN ? list_.DownSlots[i] == edit.EditedSlot
                                                                 : list_.UpSlots[i] == edit.EditedSlot;
            if (linked) {
                list_.Keys[i] = edit.PendingKey;
                partner = step.Kind == MACRO_STEP_KEY_DOWN ? list_.UpSlots[i] : list_.DownSlots[i];
                break;
            }
        }
        SetStepKey(edit.EditedSlot, edit.PendingKey, text);
        if (partner != 0)
            SetStepKey(partner, edit.PendingKey, text);
    }
    if (edit.PendingDelay != 0) {
        _CombinedKey& delay = slots_.at(edit.EditedSlot);
        delay.Value = edit.PendingDelay;
        CopyField(delay.Text, std::to_wstring(edit.PendingDelay));
        RepaintSlot(edit.EditedSlot);
    }
}

void MacroRecorder::ResetEdit()
{
    edit_ = MacroEditState{};
}

void MacroRecorder::SetStepKey(int slot, std::int32_t key, const std::wstring& text)
{
    _CombinedKey& step = slots_.at(slot);
    step.Value = key;
    CopyField(step.Text, text);
    RepaintSlot(slot);
}

MacroWriteResult MacroRecorder::WriteFunCfg(int n, const std::wstring& name)
{
    if (n < 1 || n > kFunKeyCount)
        return MacroWriteResult::NoKeySelected;
    // A line break would end the INI line.
    const bool written = WriteKeySection(n, MacroKeyEntries(WithoutLineBreaks(name), list_, keyboardValues_),
                                         MacroSlotEntries(slots_));
    return written ? MacroWriteResult::Written : MacroWriteResult::Failed;
}

void MacroRecorder::LoadFromFunCfg(int n)
{
    ClearActions();
    if (n < 1 || n > kFunKeyCount)
        return;
    ReadMacroSections(FunCfgPath(), n, list_, slots_);
    actionCount_ = static_cast<std::int32_t>(
        std::count_if(slots_.begin(), slots_.end(), [](const auto& entry) { return entry.second.Used; }));
    for (const auto& [number, slot] : slots_)
        view_.SlotChanged(number, slot);
    UpdateTimeBudget();
    view_.SetApplyEnabled(true);
}

std::wstring MacroRecorder::DefaultMacroName() const
{
    std::wstring name;
    bool first = true;
    for (int i = 0; i < list_.KeyCount; ++i) {
        const _KeyInStruct* key = FindKey(list_.Keys[i]);
        if (key == nullptr)
            continue;
        if (first) {
            name = key->DisplayText;
            first = false;
        } else if (!key->DisplayText.empty()) {
            name += L" " + key->DisplayText;
        }
    }
    return name;
}

void MacroRecorder::AttachPictures(int slot, std::shared_ptr<SlotPictures> pictures)
{
    if (const auto it = slots_.find(slot); it != slots_.end())
        it->second.Pictures = std::move(pictures);
}

bool MacroRecorder::AnySlotUsed() const
{
    return std::any_of(slots_.begin(), slots_.end(), [](const auto& entry) { return entry.second.Used; });
}
