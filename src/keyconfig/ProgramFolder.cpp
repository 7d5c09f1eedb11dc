#include "ProgramFolder.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring ModuleFileName(HMODULE module)
{
    // Paths may exceed MAX_PATH: grow until the name fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring FolderOf(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring& Folder()
{
    static std::wstring folder = ExecutableFolder();
    return folder;
}

} // namespace

const std::wstring& ProgramFolder()
{
    return Folder();
}

void SetProgramFolder(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        folder += L'\\';
    Folder() = std::move(folder);
}

std::wstring ExecutableFolder()
{
    return FolderOf(ModuleFileName(nullptr));
}

std::wstring ModuleFolder(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return {};
    return FolderOf(ModuleFileName(module));
}
