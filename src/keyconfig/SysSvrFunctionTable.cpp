#include "SysSvrFunctionTable.h"

#include "ProgramFolder.h"

#include <string>

namespace {

struct Seams {
    ModuleLoader* loader = nullptr;
    UserNotifier* notifier = nullptr;
};

Seams& CurrentSeams()
{
    static Seams seams;
    return seams;
}

ModuleLoader& Loader()
{
    ModuleLoader* loader = CurrentSeams().loader;
    return loader ? *loader : SystemModuleLoader();
}

UserNotifier& Notifier()
{
    UserNotifier* notifier = CurrentSeams().notifier;
    return notifier ? *notifier : SystemNotifier();
}

// Binds when `slot` is empty; true when it can be called.
template <typename Function>
bool EnsureBound(const Function& slot) noexcept
{
    if (!slot) {
        try {
            LoadSysSvrLibrary();
        } catch (...) {
            // Out of memory while building the path: stays unbound.
        }
    }
    return slot != nullptr;
}

} // namespace

bool SysSvrFunctionTable::Bind(ModuleLoader& loader, HMODULE library)
{
    Clear();
    const bool complete = BindEntryPoint(loader, library, "VnSysSvr_SetPerformanceState", SetPerformanceState)
        && BindEntryPoint(loader, library, "VnSysSvr_GetPerformanceState", GetPerformanceState)
        && BindEntryPoint(loader, library, "VnSysSvr_RegisterNotify", RegisterNotify)
        && BindEntryPoint(loader, library, "VnSysSvr_UnregisterNotify", UnregisterNotify);
    if (!complete) {
        Clear();
        return false;
    }
    module = library;
    return true;
}

SysSvrFunctionTable& ProcessSysSvrFunctions()
{
    static SysSvrFunctionTable table;
    return table;
}

bool LoadSysSvrLibrary()
{
    ModuleLoader& loader = Loader();
    // The folder ends in a backslash already; Windows accepts the doubled one.
    const HMODULE library = loader.Load(ProgramFolder() + L"\\Sysbridge.dll");
    if (library && ProcessSysSvrFunctions().Bind(loader, library))
        return true;
    if (library)
        loader.Free(library);
    Notifier().ShowMessage(L"Can not load Sysbridge.dll", L"");
    return false;
}

void SetSysSvrSeams(ModuleLoader* loader, UserNotifier* notifier)
{
    CurrentSeams() = Seams{loader, notifier};
}

int WINAPI VnSysSvr_SetPerformanceState(DWORD a, DWORD b, DWORD c) noexcept
{
    const auto& functions = ProcessSysSvrFunctions();
    return EnsureBound(functions.SetPerformanceState) ? functions.SetPerformanceState(a, b, c) : 0;
}

int WINAPI VnSysSvr_GetPerformanceState(DWORD a, DWORD b) noexcept
{
    const auto& functions = ProcessSysSvrFunctions();
    return EnsureBound(functions.GetPerformanceState) ? functions.GetPerformanceState(a, b) : 0;
}

int WINAPI VnSysSvr_RegisterNotify(HWND window, const wchar_t* id) noexcept
{
    const auto& functions = ProcessSysSvrFunctions();
    return EnsureBound(functions.RegisterNotify) ? functions.RegisterNotify(window, id) : 0;
}

int WINAPI VnSysSvr_UnregisterNotify(HWND window, const wchar_t* id) noexcept
{
    const auto& functions = ProcessSysSvrFunctions();
    return EnsureBound(functions.UnregisterNotify) ? functions.UnregisterNotify(window, id) : 0;
}
