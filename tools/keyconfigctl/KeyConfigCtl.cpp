#include "KeyConfigCtl.h"

#include "ConsoleNotifier.h"
#include "ControllerLink.h"
#include "EcBuffer.h"
#include "FunData.h"
#include "FunctionTable.h"
#include "KeyActions.h"
#include "KeyAssignmentStore.h"
#include "ModuleLoader.h"
#include "ProfileName.h"
#include "ProgramFolder.h"
#include "RoRarodAzavDll.h"
#include "TargetProfile.h"
#include "TastroProfileManager.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace {

constexpr wchar_t kTableRefused[] = L"the controller library refused the key table";

constexpr wchar_t kUsageText[] =
    L"usage: keyconfigctl build\n"
    L"       keyconfigctl clear N|all          (N = 1..10)\n"
    L"       keyconfigctl switch on|off|show\n"
    L"       keyconfigctl report\n"
    L"       keyconfigctl profile save NAME | list | delete NAME | apply NAME";

std::optional<int> ParseKeyNumber(const std::wstring& text)
{
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    const int n = std::stoi(text);
    if (n < 1 || n > kFunKeyCount)
        return std::nullopt;
    return n;
}

std::wstring DescribeTable(const ControllerPort::Table& table)
{
    const int end = ((table[ecbuffer::kLengthHigh] << 8) | table[ecbuffer::kLengthLow]) + 3;
    return std::to_wstring(table[ecbuffer::kRecordCount]) + L" records, " +
           std::to_wstring(end - static_cast<int>(ecbuffer::kData)) + L" data bytes";
}

// What ExecuteFunKey will do for key n, in words.
std::wstring DescribeAction(int n)
{
    const std::wstring key = FunSection(n);
    const _FunData* record = FindFunData(n);
    if (record == nullptr)
        return key + L" is not assigned";
    const std::wstring value(FieldText(record->Value[0]));
    switch (record->Type) {
    case FUN_TYPE_SHORTCUT:
        return key + L": opening \"" + value + L"\"";
    case FUN_TYPE_FUNCTION:
        if (value == std::to_wstring(kFunIdEjectDrives))
            return key + L": starting the drive ejector";
        if (value == std::to_wstring(kFunIdNextAudioDevice))
            return key + L": switching to the next audio playback device";
        if (const auto id = ParseFunctionId(value); !id || !GetFunctionCode(*id))
            return key + L": function " + value +
                   L" is not in FunKeyMap.cfg, so the key table holds nothing for it; nothing was run";
        return key + L": function " + value + L" runs in the controller, nothing to do here";
    case FUN_TYPE_NONE:
        return key + L" is not assigned";
    default:
        return key + L" runs in the controller, nothing to do here";
    }
}

// The controller bound and initialised as the main form does at start, reporting to the console.
class Controller {
public:
    Controller() : link_(ProcessAcpiFunctions(), SystemModuleLoader(), notifier_) {}

    bool Open()
    {
        link_.AcpiInitialize();
        return ProcessAcpiFunctions().IsBound();
    }

    ControllerLink& Link() { return link_; }

private:
    ConsoleNotifier notifier_;
    ControllerLink link_;
};

// The system's calls, but a shell start ends before the driver does (a start through DDE would
// be lost otherwise) and shows no error box, which nobody could see or close.
class ConsolePlatform final : public KeyActionPlatform {
public:
    BOOL ExecuteShell(SHELLEXECUTEINFOW& info) override
    {
        info.fMask |= SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
        const BOOL started = SystemKeyActionPlatform().ExecuteShell(info);
        shellError_ = started ? ERROR_SUCCESS : GetLastError();
        // The shell's own code when it set no error of the system's (they agree for its codes).
        if (!started && shellError_ == ERROR_SUCCESS)
            shellError_ = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(info.hInstApp));
        return started;
    }
    HMODULE Load(const std::wstring& path) override { return SystemKeyActionPlatform().Load(path); }
    FARPROC GetProc(HMODULE module, const char* name) override
    {
        return SystemKeyActionPlatform().GetProc(module, name);
    }
    void Free(HMODULE module) override { SystemKeyActionPlatform().Free(module); }
    bool FileExists(const std::wstring& path) override { return SystemKeyActionPlatform().FileExists(path); }

    // Why the last shell start failed; ERROR_SUCCESS when it did not.
    DWORD ShellError() const noexcept { return shellError_; }

private:
    DWORD shellError_ = ERROR_SUCCESS;
};

// The system's text for an error code, without its full stop and line end.
std::wstring SystemErrorText(DWORD error)
{
    wchar_t text[512] = {};
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                             static_cast<DWORD>(std::size(text)), nullptr);
    while (n > 0 && std::wstring_view(L"\r\n .").find(text[n - 1]) != std::wstring_view::npos)
        --n;
    return n > 0 ? std::wstring(text, n) : L"error " + std::to_wstring(error);
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool HasProfile(const TastroProfileManager& profiles, const std::wstring& name)
{
    const auto names = profiles.GetProfileNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& n) { return CompareStringOrdinal(n.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL; });
}

} // namespace

KeyConfigCtl::KeyConfigCtl(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

KeyConfigCtl::~KeyConfigCtl() = default;

int KeyConfigCtl::Run(const std::vector<std::wstring>& args)
{
    if (args.empty())
        return Usage();
    const std::wstring& command = args[0];
    if (command == L"build" && args.size() == 1)
        return Build();
    if (command == L"clear" && args.size() == 2)
        return Clear(args[1]);
    if (command == L"switch" && args.size() == 2)
        return Switch(args[1]);
    if (command == L"report" && args.size() == 1)
        return Report();
    if (command == L"profile" && args.size() >= 2)
        return Profile(args);
    return Usage();
}

int KeyConfigCtl::Build()
{
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; nothing was written");
    LoadTables();
    if (!BuildEcBuffer(controller.Link()))
        return Fail(kTableRefused);
    Say(L"wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    return kOk;
}

int KeyConfigCtl::Clear(const std::wstring& which)
{
    const std::optional<int> n = ParseKeyNumber(which);
    if (which != L"all" && !n)
        return Usage();
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; nothing was changed");
    LoadTables();
    if (n) {
        // As the main scene's delete: unassign, then rebuild and write the whole table.
        if (!ClearFunKey(*n))
            return Fail(FunSection(*n) + L" could not be removed from fun.cfg; no key table was written");
        if (!BuildEcBuffer(controller.Link()))
            return Fail(L"cleared " + FunSection(*n) + L" in fun.cfg, but " + kTableRefused);
        Say(L"cleared " + FunSection(*n) + L"; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
        return kOk;
    }
    switch (ClearAllFunKeys(controller.Link())) {
    case ClearAllResult::FunCfgFailed:
        return Fail(L"not every key could be removed from fun.cfg; no key table was written");
    case ClearAllResult::TableRefused:
        return Fail(L"cleared all keys in fun.cfg, but " + std::wstring(kTableRefused));
    case ClearAllResult::Done:
        break;
    }
    Say(L"cleared all keys; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    return kOk;
}

int KeyConfigCtl::Switch(const std::wstring& state)
{
    if (state == L"show") {
        Controller controller; // GetSwitch reads only Setting.ini
        int value = 0;
        Say(controller.Link().GetSwitch(value) ? L"switch is on" : L"switch is off");
        return kOk;
    }
    if (state != L"on" && state != L"off")
        return Usage();
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; the switch was not changed");
    const int on = state == L"on" ? 1 : 0;
    switch (controller.Link().SetSwitch(on)) {
    case SwitchResult::NotStored:
        return Fail(L"Setting.ini could not be written; the switch was not changed");
    case SwitchResult::NotAccepted:
        return Fail(L"switch stored as " + state + L", but the controller did not accept it");
    case SwitchResult::Set:
        break;
    }
    Say(L"switch " + state);
    return kOk;
}

int KeyConfigCtl::Report()
{
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; no key was read");
    const std::optional<int> key = controller.Link().ReadPressedKey();
    if (!key) {
        Say(L"no key F1-F10 reported");
        return kOk;
    }
    LoadConfig();
    // Only to tell the functions the key table holds; their names are not shown.
    LoadFunKeyMap();
    Say(DescribeAction(*key));
    ConsolePlatform platform;
    if (!ExecuteFunKey(*key, platform)) {
        if (platform.ShellError() != ERROR_SUCCESS)
            return Fail(L"the shell could not start it: " + SystemErrorText(platform.ShellError()));
        return Fail(L"the audio library or its entry point is missing");
    }
    return kOk;
}

int KeyConfigCtl::Profile(const std::vector<std::wstring>& args)
{
    const std::wstring& action = args[1];
    const bool list = action == L"list" && args.size() == 2;
    const bool named = args.size() == 3 && (action == L"save" || action == L"delete" || action == L"apply");
    if (!list && !named)
        return Usage();
    if (named && !IsValidProfileName(args[2])) {
        const bool tooLong = args[2].size() > kMaxProfileNameLength;
        return Fail(L"\"" + args[2] + L"\" is not a valid profile name" +
                    (tooLong ? L" (at most " + std::to_wstring(kMaxProfileNameLength) + L" characters)" : L""));
    }

    // Checked first: the manager creates the profile folder, and a refused command changes nothing.
    TastroProfileManager profiles(ProgramFolder());
    if (list) {
        const auto names = profiles.GetProfileNames();
        if (names.empty())
            Say(L"no profiles");
        for (const auto& name : names)
            Say(name);
        return kOk;
    }

    const std::wstring& name = args[2];
    const std::wstring quoted = L"\"" + name + L"\"";
    if (action == L"save") {
        const FileResult saved = profiles.SaveProfile(name);
        if (!saved)
            return Fail(L"profile " + quoted + L" could not be saved: " +
                        (FileExists(FunCfgPath()) ? SystemErrorText(saved.error) : L"there is no fun.cfg"));
        Say(L"saved profile " + quoted);
        return kOk;
    }
    if (!HasProfile(profiles, name))
        return Fail(L"there is no profile " + quoted);
    if (action == L"delete") {
        const FileResult deleted = profiles.DeleteProfile(name);
        if (!deleted)
            return Fail(L"profile " + quoted + L" could not be deleted: " + SystemErrorText(deleted.error));
        Say(L"deleted profile " + quoted);
        return kOk;
    }

    // Apply, as the running main window does on the load request; unlike the window, the driver
    // writes no table after a failed copy.
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; the profile was not applied");
    LoadTables();
    if (!profiles.SetTargetProfile(name))
        return Fail(L"TargetProfile.ini could not be written; the profile was not applied");
    const AppliedProfile applied = ApplyTargetProfile();
    if (!applied.copy)
        return Fail(L"profile " + quoted + L" could not be copied over fun.cfg: " +
                    SystemErrorText(applied.copy.error) + L"; no key table was written");
    if (!BuildEcBuffer(controller.Link()))
        return Fail(L"copied profile " + quoted + L" over fun.cfg, but " + kTableRefused);
    Say(L"applied profile " + quoted + L"; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    return kOk;
}

void KeyConfigCtl::LoadTables()
{
    LoadConfig();
    LoadFunKeyMap([this](const std::wstring& text) { return Translation().Translate(text); });
}

RoRarodAzavDll& KeyConfigCtl::Translation()
{
    if (!translation_) {
        // The program stops on an incomplete library; the driver says so and goes on in English.
        translation_ = std::make_unique<RoRarodAzavDll>(SystemModuleLoader(), [this](const std::wstring& check) {
            notifier_.ShowMessage(L"Assertion failed: " + check + L"; texts stay in English", L"RoRarodAzavDll");
        });
        translation_->Init();
    }
    return *translation_;
}

int KeyConfigCtl::Usage()
{
    WriteLine(err_, kUsageText);
    return kUsage;
}

int KeyConfigCtl::Fail(const std::wstring& message)
{
    WriteLine(err_, L"keyconfigctl: " + message);
    return kFailed;
}

void KeyConfigCtl::Say(const std::wstring& line)
{
    WriteLine(out_, line);
}
