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
#include "TargetProfile.h"
#include "TastroProfileManager.h"
#include "Translate.h"

#include <algorithm>
#include <optional>

namespace {

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

bool HasProfile(const TastroProfileManager& profiles, const std::wstring& name)
{
    const auto names = profiles.GetProfileNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& n) { return CompareStringOrdinal(n.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL; });
}

} // namespace

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
    LoadConfig();
    LoadFunKeyMap(Translate);
    BuildEcBuffer(controller.Link());
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
    LoadConfig();
    LoadFunKeyMap(Translate);
    if (n) {
        // As the main scene's delete: unassign, then rebuild and write the whole table.
        ClearFunKey(*n);
        BuildEcBuffer(controller.Link());
        Say(L"cleared " + FunSection(*n) + L"; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    } else {
        ClearAllFunKeys(controller.Link());
        Say(L"cleared all keys; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    }
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
    if (!controller.Link().SetSwitch(on))
        return Fail(L"switch stored as " + state + L", but the controller did not accept it");
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
    Say(DescribeAction(*key));
    ExecuteFunKey(*key);
    return kOk;
}

int KeyConfigCtl::Profile(const std::vector<std::wstring>& args)
{
    const std::wstring& action = args[1];
    const bool list = action == L"list" && args.size() == 2;
    const bool named = args.size() == 3 && (action == L"save" || action == L"delete" || action == L"apply");
    if (!list && !named)
        return Usage();
    if (named && !IsValidProfileName(args[2]))
        return Fail(L"\"" + args[2] + L"\" is not a valid profile name");

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
    if (action == L"save") {
        if (!profiles.SaveProfile(name))
            return Fail(L"profile \"" + name + L"\" could not be saved (is there a fun.cfg?)");
        Say(L"saved profile \"" + name + L"\"");
        return kOk;
    }
    if (!HasProfile(profiles, name))
        return Fail(L"there is no profile \"" + name + L"\"");
    if (action == L"delete") {
        profiles.DeleteProfile(name);
        Say(L"deleted profile \"" + name + L"\"");
        return kOk;
    }

    // Apply, as the running main window does on the load request.
    Controller controller;
    if (!controller.Open())
        return Fail(L"the controller library could not be loaded; the profile was not applied");
    LoadConfig();
    LoadFunKeyMap(Translate);
    profiles.SetTargetProfile(name);
    ApplyTargetProfile();
    BuildEcBuffer(controller.Link());
    Say(L"applied profile \"" + name + L"\"; wrote the key table: " + DescribeTable(AssembleEcBuffer()));
    return kOk;
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
