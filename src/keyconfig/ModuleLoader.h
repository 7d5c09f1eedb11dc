#pragma once

#include <windows.h>

#include <memory>
#include <string>

// Loading of outside libraries and lookup of their entry points. Bindings take one of these so
// that tests can hand them libraries that do not exist on disk.
class ModuleLoader {
public:
    virtual ~ModuleLoader() = default;

    // LoadLibraryW; a bare name is searched for in the application's and the system's folders
    // only. Null when the library could not be loaded.
    virtual HMODULE Load(const std::wstring& path) = 0;
    // GetProcAddress; null when the module lacks the name.
    virtual FARPROC GetProc(HMODULE module, const char* name) = 0;
    virtual void Free(HMODULE module) = 0;
    // True for an existing file (not a folder).
    virtual bool FileExists(const std::wstring& path) = 0;
};

// The loader that calls the system.
ModuleLoader& SystemModuleLoader();

// The system's LoadLibraryExW, or a stand-in for it in tests.
using LoadLibraryExFunction = HMODULE(WINAPI*)(LPCWSTR name, HANDLE reserved, DWORD flags);

// A loader like the system's whose every load goes through `loadLibraryEx`. Where the system
// refuses LOAD_LIBRARY_SEARCH_DEFAULT_DIRS (Windows 7 without its loader update), a bare name is
// loaded by its full path from the application's folder, else from the system folder.
std::unique_ptr<ModuleLoader> MakeSystemModuleLoader(LoadLibraryExFunction loadLibraryEx);

// Converts a looked-up entry point to its declared type. The detour through void(*)() is the
// conversion the compiler accepts between unrelated function types without a warning.
template <typename Function>
Function EntryPointCast(FARPROC proc) noexcept
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

// Looks `name` up in `module` and stores it in `slot`; false when the name is missing.
template <typename Function>
bool BindEntryPoint(ModuleLoader& loader, HMODULE module, const char* name, Function& slot)
{
    slot = EntryPointCast<Function>(loader.GetProc(module, name));
    return slot != nullptr;
}
