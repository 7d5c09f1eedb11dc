// Simulated system service: remembers the one window that registered for key notifications in
// service.ini, where simkey.exe finds it. Performance states are plain stored numbers.

#include "CallLog.h"
#include "IniFile.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kService[] = L"Service";
constexpr wchar_t kKnobs[] = L"Knobs";
constexpr wchar_t kPerformance[] = L"Performance";

sim::IniFile ServiceIni()
{
    return sim::IniFile(sim::StateFolder() + L"service.ini");
}

std::wstring PerformanceKey(DWORD first, DWORD second)
{
    return std::to_wstring(first) + L"_" + std::to_wstring(second);
}

}  // namespace

extern "C" {

int WINAPI VnSysSvr_SetPerformanceState(DWORD first, DWORD second, DWORD value)
{
    try {
        sim::CallLine("VnSysSvr_SetPerformanceState").Number(first).Number(second).Number(value).Write();
        return ServiceIni().Set(kPerformance, PerformanceKey(first, second).c_str(), std::to_wstring(value)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int WINAPI VnSysSvr_GetPerformanceState(DWORD first, DWORD second)
{
    try {
        sim::CallLine("VnSysSvr_GetPerformanceState").Number(first).Number(second).Write();
        return static_cast<int>(ServiceIni().GetNumber(kPerformance, PerformanceKey(first, second).c_str(), 0));
    } catch (...) {
        return 0;
    }
}

// Nonzero when the window is registered. The knob RefuseRegistrations=N refuses the next N tries.
int WINAPI VnSysSvr_RegisterNotify(HWND window, const wchar_t* id)
{
    try {
        sim::CallLine("VnSysSvr_RegisterNotify").Handle(window).Text(id).Write();
        const sim::IniFile ini = ServiceIni();
        const long long refuse = ini.GetNumber(kKnobs, L"RefuseRegistrations", 0);
        if (refuse > 0) {
            ini.Set(kKnobs, L"RefuseRegistrations", std::to_wstring(refuse - 1));
            return 0;
        }
        // Nothing could ever be delivered to a null window.
        if (window == nullptr) {
            return 0;
        }
        const bool stored = ini.Set(kService, L"Window", sim::FromUtf8OrAnsi(sim::HexHandle(window))) &&
                            ini.Set(kService, L"Id", id != nullptr ? id : L"");
        return stored ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// Forgets the window when it is the registered one; 1 then, else 0.
int WINAPI VnSysSvr_UnregisterNotify(HWND window, const wchar_t* id)
{
    try {
        sim::CallLine("VnSysSvr_UnregisterNotify").Handle(window).Text(id).Write();
        const sim::IniFile ini = ServiceIni();
        if (window == nullptr || sim::ParseHandle(ini.Get(kService, L"Window")) != window) {
            return 0;
        }
        return ini.Remove(kService, L"Window") ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
