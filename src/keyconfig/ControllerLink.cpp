#include "ControllerLink.h"

#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "ProgramFolder.h"

#include <windows.h>

namespace {

// The library's own meaning of the argument that accompanies the buffer items.
constexpr DWORD kBufferItemArg = 3;
constexpr DWORD kSwitchItemArg = 1;
// HID usage of the key before F1: F1..F10 are 0x3A..0x43.
constexpr unsigned kUsageBeforeF1 = 0x39;
constexpr int kKeyCount = 10;

} // namespace

ControllerLink::ControllerLink()
    : ControllerLink(ProcessAcpiFunctions(), SystemModuleLoader(), SystemNotifier())
{
}

ControllerLink::ControllerLink(AcpiFunctionTable& functions, ModuleLoader& loader, UserNotifier& notifier)
    : functions_(functions)
    , loader_(loader)
    , notifier_(notifier)
{
}

bool ControllerLink::LoadAcpiLibrary()
{
    // The folder ends in a backslash already; Windows accepts the doubled one.
    const std::wstring path = ProgramFolder() + L"\\Biosgateex.dll";
    OutputDebugStringW(path.c_str());
    const HMODULE library = loader_.Load(path);
    if (library && functions_.Bind(loader_, library))
        return true;
    if (library)
        loader_.Free(library);
    notifier_.ShowMessage(L"Can not load Biosgate.dll", L"");
    return false;
}

int ControllerLink::AcpiInitialize()
{
    if (!functions_.AcpiInit && !LoadAcpiLibrary())
        return 0;
    return functions_.AcpiInit();
}

bool ControllerLink::WriteEcBuffer(const Table& table)
{
    if (!functions_.IsBound())
        return false;
    // The library takes a writable buffer and may change the length; keep the caller's table.
    Table copy = table;
    DWORD length = static_cast<DWORD>(copy.size());
    // As for the buffer read, only 1 means done.
    return functions_.AcpiSetItemBuffer(ACPI_ITEM_KEY_TABLE, kBufferItemArg, copy.data(), &length) == 1;
}

SwitchResult ControllerLink::SetSwitch(int on)
{
    // Stored first: the controller gets a value only when Setting.ini holds it afterwards.
    const DWORD value = on == 1 ? 1 : 0;
    if (!StoreSwitch(value))
        return SwitchResult::NotStored;
    return SendSwitch(value) ? SwitchResult::Set : SwitchResult::NotAccepted;
}

bool ControllerLink::RestoreSavedSwitch()
{
    int saved = 0;
    GetSwitch(saved);
    const DWORD value = saved == 1 ? 1 : 0;
    StoreSwitch(value);
    return SendSwitch(value);
}

bool ControllerLink::StoreSwitch(DWORD value)
{
    return WriteIniStringAllOrNothing(SettingsPath(), L"Info", L"Switch", value ? L"1" : L"0");
}

bool ControllerLink::SendSwitch(DWORD value)
{
    if (!functions_.IsBound())
        return false;
    return (functions_.AcpiSetItem(ACPI_ITEM_SWITCH, value, kSwitchItemArg) & 1) != 0;
}

bool ControllerLink::GetSwitch(int& out)
{
    out = static_cast<int>(GetPrivateProfileIntW(L"Info", L"Switch", 0, SettingsPath().c_str()));
    return out != 0;
}

std::optional<int> ControllerLink::ReadPressedKey()
{
    if (!functions_.IsBound())
        return std::nullopt;
    // Zeroed, so that bytes the library leaves alone cannot name a key.
    Table buffer{};
    DWORD length = static_cast<DWORD>(buffer.size());
    if (functions_.AcpiGetItemBuffer(ACPI_ITEM_KEY_EVENT, kBufferItemArg, buffer.data(), &length) != 1)
        return std::nullopt;
    return KeyFromUsage(static_cast<unsigned>(buffer[6]) | static_cast<unsigned>(buffer[7]) << 8);
}

std::optional<int> ControllerLink::KeyFromUsage(unsigned usage) noexcept
{
    if (usage <= kUsageBeforeF1 || usage > kUsageBeforeF1 + kKeyCount)
        return std::nullopt;
    return static_cast<int>(usage - kUsageBeforeF1);
}

std::wstring ControllerLink::SettingsPath()
{
    return SettingIniPath();
}
