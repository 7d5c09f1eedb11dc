#include "ModuleLoader.h"

#include "ProgramFolder.h"

namespace {

// The system folder, with a trailing backslash; empty when it cannot be had.
std::wstring SystemFolder()
{
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) + L"\\" : std::wstring();
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

class Win32ModuleLoader final : public ModuleLoader {
public:
    explicit Win32ModuleLoader(LoadLibraryExFunction loadLibraryEx) : loadLibraryEx_(loadLibraryEx) {}

    HMODULE Load(const std::wstring& path) override
    {
        if (path.find_first_of(L"\\/:") != std::wstring::npos)
            return loadLibraryEx_(path.c_str(), nullptr, 0);
        // A bare name comes only from the application's folder and the system's, never from a
        // folder on PATH.
        if (const HMODULE module = loadLibraryEx_(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
            return module;
        if (GetLastError() != ERROR_INVALID_PARAMETER)
            return nullptr;
        // The flag is unknown to this loader: the same two folders, in the same order, by full path.
        for (const std::wstring& folder : {ExecutableFolder(), SystemFolder()}) {
            if (!folder.empty() && IsFile(folder + path))
                return loadLibraryEx_((folder + path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        }
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }

    FARPROC GetProc(HMODULE module, const char* name) override { return GetProcAddress(module, name); }

    void Free(HMODULE module) override
    {
        if (module)
            FreeLibrary(module);
    }

    bool FileExists(const std::wstring& path) override { return IsFile(path); }

private:
    LoadLibraryExFunction loadLibraryEx_;
};

} // namespace

ModuleLoader& SystemModuleLoader()
{
    static Win32ModuleLoader loader(&LoadLibraryExW);
    return loader;
}

std::unique_ptr<ModuleLoader> MakeSystemModuleLoader(LoadLibraryExFunction loadLibraryEx)
{
    return std::make_unique<Win32ModuleLoader>(loadLibraryEx);
}
