#include "SimState.h"

#include <vector>

namespace sim {
namespace {

// Its address identifies the module that this library was linked into.
const char kModuleAnchor = 0;

HMODULE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&kModuleAnchor), &module);
    return module;
}

std::size_t FileNameStart(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? 0 : slash + 1;
}

std::wstring EnvironmentValue(const wchar_t* name)
{
    const DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0) {
        return {};
    }
    std::wstring value(needed, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, value.data(), needed);
    value.resize(written < needed ? written : 0);
    return value;
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return path;
    }
    std::wstring full(needed, L'\0');
    const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0 || written >= needed) {
        return path;
    }
    full.resize(written);
    return full;
}

}  // namespace

std::wstring ModulePath()
{
    const HMODULE module = ThisModule();
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ModuleFolder()
{
    const std::wstring path = ModulePath();
    return path.substr(0, FileNameStart(path));
}

std::wstring ModuleFileName()
{
    const std::wstring path = ModulePath();
    return path.substr(FileNameStart(path));
}

std::wstring ModuleBaseName()
{
    std::wstring name = ModuleFileName();
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) {
        name.resize(dot);
    }
    return name;
}

bool EnsureFolder(const std::wstring& folder)
{
    std::wstring path = folder;
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    const std::size_t parentEnd = path.find_last_of(L"\\/");
    if (parentEnd != std::wstring::npos && parentEnd > 0) {
        const std::wstring parent = path.substr(0, parentEnd);
        // A drive root ("C:") or the start of a UNC name needs no creating.
        if (parent.size() > 2 && parent.back() != L':' && parent.back() != L'\\') {
            EnsureFolder(parent);
        }
    }
    if (CreateDirectoryW(path.c_str(), nullptr)) {
        return true;
    }
    const DWORD after = GetFileAttributesW(path.c_str());
    return after != INVALID_FILE_ATTRIBUTES && (after & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring StateFolder()
{
    std::wstring folder = EnvironmentValue(L"TASTRO_SIM_DIR");
    if (folder.empty()) {
        folder = ModuleFolder() + L"SimState";
    } else {
        folder = FullPath(folder);
    }
    if (folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    EnsureFolder(folder);
    return folder;
}

}  // namespace sim
