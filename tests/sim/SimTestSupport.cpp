#include "SimTestSupport.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace simtest {
namespace {

std::wstring ModuleFolderOf(HMODULE module)
{
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH * 4);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~OwnedHandle()
    {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace

std::wstring TestFolder()
{
    return ModuleFolderOf(nullptr);
}

std::wstring DistFolder()
{
    const std::wstring relative = TestFolder() + L"..\\dist\\";
    wchar_t full[MAX_PATH * 4] = {};
    const DWORD length = GetFullPathNameW(relative.c_str(), MAX_PATH * 4, full, nullptr);
    return length > 0 ? std::wstring(full, length) : relative;
}

ScratchFolder::ScratchFolder()
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"tastro-sim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    std::filesystem::create_directories(path_, ignored);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

EnvironmentScope::EnvironmentScope(const wchar_t* name, const wchar_t* value) : name_(name)
{
    wchar_t old[4096];
    const DWORD length = GetEnvironmentVariableW(name, old, 4096);
    if (length > 0 && length < 4096) {
        previous_ = std::wstring(old, length);
    }
    SetEnvironmentVariableW(name, value);
}

EnvironmentScope::~EnvironmentScope()
{
    SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

Library::Library(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}

Library::~Library()
{
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

FARPROC Library::Raw(const char* name) const
{
    return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

std::optional<std::vector<BYTE>> ReadBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::wstring& path)
{
    const auto bytes = ReadBytes(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> ReadLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    std::istringstream text(ReadText(path));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::wstring IniValue(const std::wstring& path, const wchar_t* section, const wchar_t* key)
{
    wchar_t value[1024] = {};
    const DWORD length = GetPrivateProfileStringW(section, key, L"", value, 1024, path.c_str());
    return std::wstring(value, length);
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Utf8(const std::wstring& text)
{
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), needed, nullptr, nullptr);
    return result;
}

std::optional<DWORD> RunPumpingMessages(const std::wstring& commandLine, const std::wstring& outputFile)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    OwnedHandle output(outputFile.empty()
                           ? nullptr
                           : CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!outputFile.empty()) {
        if (!output.Valid()) {
            return std::nullopt;
        }
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = output.Get();
        startup.hStdError = output.Get();
    }
    std::wstring mutableLine = commandLine;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, output.Valid() ? TRUE : FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        return std::nullopt;
    }
    OwnedHandle processHandle(process.hProcess);
    OwnedHandle threadHandle(process.hThread);

    const ULONGLONG deadline = GetTickCount64() + 60000;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) {
            TerminateProcess(processHandle.Get(), 99);
            return std::nullopt;
        }
        const HANDLE waitFor = processHandle.Get();
        const DWORD woke = MsgWaitForMultipleObjects(1, &waitFor, FALSE, static_cast<DWORD>(deadline - now),
                                                     QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) {
            break;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(processHandle.Get(), &exitCode);
    return exitCode;
}

}  // namespace simtest
