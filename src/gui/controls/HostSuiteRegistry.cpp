#include "gui/controls/HostSuiteRegistry.h"

#include <cstring>

namespace {

constexpr char kHostSuiteKey[] = "SOFTWARE\\VORN\\HUB-DECK_II";
constexpr char kExeNameValue[] = "ExeName";
constexpr char kHostSuite3Exe[] = "HubDeck3.exe";
constexpr DWORD kValueBufferSize = 260;

// The value read must be a string of exactly the expected bytes; a stored terminator is allowed
// but not required, since the registry does not enforce one.
bool IsExpectedExeName(DWORD type, const BYTE* data, DWORD size)
{
    constexpr DWORD length = sizeof(kHostSuite3Exe) - 1;
    if (type != REG_SZ)
        return false;
    if (size == length + 1 && data[length] != '\0')
        return false;
    if (size != length && size != length + 1)
        return false;
    return std::memcmp(data, kHostSuite3Exe, length) == 0;
}

} // namespace

LSTATUS SystemRegistry::OpenKey(HKEY root, const char* subKey, REGSAM access, HKEY* key)
{
    return RegOpenKeyExA(root_ ? root_ : root, subKey, 0, access, key);
}

LSTATUS SystemRegistry::QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExA(key, name, nullptr, type, data, size);
}

void SystemRegistry::CloseKey(HKEY key)
{
    RegCloseKey(key);
}

bool IsHostSuite3Installed(RegistryPort& registry)
{
    HKEY key = nullptr;
    if (registry.OpenKey(HKEY_LOCAL_MACHINE, kHostSuiteKey, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    BYTE buffer[kValueBufferSize] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(buffer);
    const bool read = registry.QueryValue(key, kExeNameValue, &type, buffer, &size) == ERROR_SUCCESS;
    registry.CloseKey(key);
    return read && size <= sizeof(buffer) && IsExpectedExeName(type, buffer, size);
}

bool IsHostSuite3Installed()
{
    SystemRegistry registry;
    return IsHostSuite3Installed(registry);
}
