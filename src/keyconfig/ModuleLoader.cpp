#include "ModuleLoader.h"

namespace {

class Win32ModuleLoader final : public ModuleLoader {
public:
    HMODULE Load(const std::wstring& path) override
    {
        // A bare name comes only from the application's folder and the system's, never from a
        // folder on PATH.
        if (path.find_first_of(L"\\/:") == std::wstring::npos)
            return LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
        return LoadLibraryW(path.c_str());
    }

    FARPROC GetProc(HMODULE module, const char* name) override { return GetProcAddress(module, name); }

    void Free(HMODULE module) override
    {
        if (module)
            FreeLibrary(module);
    }

    bool FileExists(const std::wstring& path) override
    {
        const DWORD attributes = GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
};

} // namespace

ModuleLoader& SystemModuleLoader()
{
    static Win32ModuleLoader loader;
    return loader;
}
