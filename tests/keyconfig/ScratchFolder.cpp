#include "ScratchFolder.h"

#include "FunData.h"
#include "FunctionTable.h"
#include "ProgramFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + L"\\");
            else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

void ResetProcessMaps()
{
    FunDataMap().clear();
    KeyCodeMap().clear();
    FunKeyMap().clear();
}

} // namespace

ScratchFolder::ScratchFolder() : previousProgramFolder_(ProgramFolder())
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    // A new name per test: the private-profile functions cache files by name.
    path_ = std::wstring(temp) + L"tastro-keyconfig-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter) + L"\\";
    if (!CreateDirectoryW(path_.c_str(), nullptr))
        ADD_FAILURE() << "cannot create the scratch folder";
    SetProgramFolder(path_);
    ResetProcessMaps();
}

ScratchFolder::~ScratchFolder()
{
    ResetProcessMaps();
    SetProgramFolder(previousProgramFolder_);
    RemoveTree(path_);
}

void ScratchFolder::WriteBytes(std::wstring_view name, const void* data, std::size_t size) const
{
    const std::wstring path = File(name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, size);
}

void ScratchFolder::WriteAnsi(std::wstring_view name, std::string_view text) const
{
    WriteBytes(name, text.data(), text.size());
}

void ScratchFolder::WriteUtf16(std::wstring_view name, std::wstring_view text) const
{
    std::wstring content(1, wchar_t(0xFEFF));
    content += text;
    WriteBytes(name, content.data(), content.size() * sizeof(wchar_t));
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ScopedFileHandle HoldReadOnly(const std::wstring& path)
{
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    return ScopedFileHandle(file);
}
