#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The built program, run from the program folder as the main program starts it.
namespace {

std::wstring ProgramPath()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"..\\dist\\Unmounter.exe";
}

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle()
    {
        if (handle_) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

struct WindowSearch {
    DWORD processId;
    bool visible;
};

BOOL CALLBACK NoteVisibleWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->visible = true;
    }
    return TRUE;
}

TEST(UnmounterProgram, ExitsAtOnceWithCodeZeroAndShowsNoWindow)
{
    const std::wstring path = ProgramPath();
    ASSERT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Asked to show itself normally, as the shell does: the program must stay hidden anyway.
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + path + L"\"";
    ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &process))
        << GetLastError();
    const Handle processHandle(process.hProcess);
    const Handle threadHandle(process.hThread);

    const ULONGLONG start = GetTickCount64();
    WindowSearch search{process.dwProcessId, false};
    DWORD wait = WAIT_TIMEOUT;
    while (wait == WAIT_TIMEOUT && GetTickCount64() - start < 30000) {
        EnumWindows(NoteVisibleWindow, reinterpret_cast<LPARAM>(&search));
        wait = WaitForSingleObject(process.hProcess, 5);
    }
    const ULONGLONG elapsed = GetTickCount64() - start;
    if (wait != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        FAIL() << "the program did not end within 30 s";
    }

    DWORD exitCode = 1;
    ASSERT_TRUE(GetExitCodeProcess(process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(search.visible);
    EXPECT_LT(elapsed, 8000u);
}

TEST(UnmounterProgram, CarriesItsTitleClassNameAndAdministratorManifest)
{
    const HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr) << GetLastError();

    char text[100] = {};
    EXPECT_GT(LoadStringA(program, 103, text, sizeof text), 0);
    EXPECT_STREQ(text, "EjectoII");
    EXPECT_GT(LoadStringA(program, 109, text, sizeof text), 0);
    EXPECT_STREQ(text, "EJECTOII");

    const HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, SizeofResource(program, found));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos) << manifest;

    FreeLibrary(program);
}

TEST(UnmounterProgram, IsAWindowsGuiProgram)
{
    // A console program would open a console window each time a key starts it.
    std::ifstream file(std::filesystem::path(ProgramPath()), std::ios::binary);
    ASSERT_TRUE(file);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LT(static_cast<size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
    const char* nt = image.data() + dos->e_lfanew;
    const auto* headers32 = reinterpret_cast<const IMAGE_NT_HEADERS32*>(nt);
    const auto* headers64 = reinterpret_cast<const IMAGE_NT_HEADERS64*>(nt);
    ASSERT_EQ(headers32->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
    const WORD subsystem = headers32->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                               ? headers64->OptionalHeader.Subsystem
                               : headers32->OptionalHeader.Subsystem;
    EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

} // namespace
