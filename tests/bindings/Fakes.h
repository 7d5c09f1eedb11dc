#pragma once

#include "ModuleLoader.h"
#include "UserNotifier.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// A function of the test program handed out as an entry point of a fake library.
template <typename Function>
FARPROC AsProc(Function function)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

using Exports = std::map<std::string, FARPROC>;

// Libraries that exist only in memory, with a record of every request.
class FakeModuleLoader final : public ModuleLoader {
public:
    // A loadable library at `path`; returns its handle.
    HMODULE AddLibrary(const std::wstring& path, Exports exports)
    {
        const auto handle = reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(0x10000 * (libraries_.size() + 1)));
        libraries_[path] = Library{handle, std::move(exports)};
        files_.insert(path);
        return handle;
    }
    // A file that is there but does not load.
    void AddBrokenFile(const std::wstring& path) { files_.insert(path); }

    HMODULE Load(const std::wstring& path) override
    {
        loads.push_back(path);
        const auto it = libraries_.find(path);
        return it == libraries_.end() ? nullptr : it->second.handle;
    }

    FARPROC GetProc(HMODULE module, const char* name) override
    {
        lookups.emplace_back(name);
        for (const auto& [path, library] : libraries_) {
            if (library.handle != module)
                continue;
            const auto it = library.exports.find(name);
            return it == library.exports.end() ? nullptr : it->second;
        }
        return nullptr;
    }

    void Free(HMODULE module) override { frees.push_back(module); }

    bool FileExists(const std::wstring& path) override
    {
        existQueries.push_back(path);
        return files_.count(path) != 0;
    }

    std::vector<std::wstring> loads;
    std::vector<std::string> lookups;
    std::vector<HMODULE> frees;
    std::vector<std::wstring> existQueries;

private:
    struct Library {
        HMODULE handle = nullptr;
        Exports exports;
    };
    std::map<std::wstring, Library> libraries_;
    std::set<std::wstring> files_;
};

// Records messages instead of showing them; `onShow` runs inside, where a message box would run
// its own message loop.
class FakeNotifier final : public UserNotifier {
public:
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override
    {
        messages.emplace_back(text, caption);
        if (onShow)
            onShow();
    }

    std::vector<std::pair<std::wstring, std::wstring>> messages;
    std::function<void()> onShow;
};

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        wchar_t name[MAX_PATH] = {};
        GetTempFileNameW(temp, L"bnd", 0, name);
        DeleteFileW(name);
        CreateDirectoryW(name, nullptr);
        path_ = std::wstring(name) + L"\\";
    }
    ~ScratchFolder()
    {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((path_ + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileW((path_ + found.cFileName).c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(path_.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // With its trailing backslash.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
