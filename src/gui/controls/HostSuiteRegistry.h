#pragma once

#include <windows.h>

// The three registry calls that read the host suite's key. The system registry is the default;
// tests hand in a fake.
class RegistryPort {
public:
    virtual ~RegistryPort() = default;
    virtual LSTATUS OpenKey(HKEY root, const char* subKey, REGSAM access, HKEY* key) = 0;
    virtual LSTATUS QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) = 0;
    virtual void CloseKey(HKEY key) = 0;
};

// RegOpenKeyExA, RegQueryValueExA and RegCloseKey. `root` replaces HKEY_LOCAL_MACHINE when given
// (tests point it at a private key).
class SystemRegistry final : public RegistryPort {
public:
    explicit SystemRegistry(HKEY rootOverride = nullptr) : root_(rootOverride) {}
    LSTATUS OpenKey(HKEY root, const char* subKey, REGSAM access, HKEY* key) override;
    LSTATUS QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
    void CloseKey(HKEY key) override;

private:
    HKEY root_;
};

// True only when the host suite's key names "HubDeck3.exe" as its executable, exactly.
bool IsHostSuite3Installed(RegistryPort& registry);
bool IsHostSuite3Installed();
