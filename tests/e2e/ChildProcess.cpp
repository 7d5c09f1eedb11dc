#include "ChildProcess.h"

#include <algorithm>
#include <cwchar>

namespace e2e {
namespace {

class Handle {
public:
    Handle() = default;
    explicit Handle(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return handle_; }
    HANDLE* Receive()
    {
        Close();
        return &handle_;
    }
    void Close()
    {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HANDLE handle_ = nullptr;
};

// One pipe whose write end the child inherits and whose read end stays here.
struct OutputPipe {
    Handle read;
    Handle write;

    bool Create()
    {
        SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
        if (!CreatePipe(read.Receive(), write.Receive(), &inheritable, 1 << 16)) {
            return false;
        }
        return SetHandleInformation(read.Get(), HANDLE_FLAG_INHERIT, 0) != FALSE;
    }
};

// Reads what the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& into)
{
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) {
            return;
        }
        char buffer[4096];
        DWORD got = 0;
        const DWORD wanted = std::min<DWORD>(available, sizeof buffer);
        if (!ReadFile(pipe, buffer, wanted, &got, nullptr) || got == 0) {
            return;
        }
        into.append(buffer, got);
    }
}

std::vector<wchar_t> EnvironmentWithout(const wchar_t* name)
{
    std::vector<wchar_t> block;
    const std::wstring prefix = name != nullptr ? std::wstring(name) + L"=" : std::wstring();
    const int prefixLength = static_cast<int>(prefix.size());
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; entry != nullptr && *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        const std::size_t length = std::wcslen(entry);
        const bool removed =
            prefixLength > 0 && length >= prefix.size() &&
            CompareStringOrdinal(entry, prefixLength, prefix.c_str(), prefixLength, TRUE) == CSTR_EQUAL;
        if (!removed) {
            block.insert(block.end(), entry, entry + length + 1);
        }
    }
    if (strings != nullptr) {
        FreeEnvironmentStringsW(strings);
    }
    if (block.empty()) {
        block.push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

bool JobIsEmpty(HANDLE job)
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    return QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr) &&
           info.ActiveProcesses == 0;
}

}  // namespace

std::wstring CommandLine(const std::wstring& program, const std::vector<std::wstring>& arguments)
{
    std::wstring line = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments) {
        line += L' ';
        if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
            line += argument;
            continue;
        }
        // Backslashes are literal except before a quote, where each one must be doubled.
        line += L'"';
        std::size_t backslashes = 0;
        for (const wchar_t c : argument) {
            if (c == L'\\') {
                ++backslashes;
                continue;
            }
            line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, L'\\');
        line += L'"';
    }
    return line;
}

ProcessResult RunProcess(const std::wstring& commandLine, const std::wstring& currentFolder,
                         const wchar_t* removedVariable, DWORD timeoutMs)
{
    ProcessResult result;
    OutputPipe out;
    OutputPipe err;
    if (!out.Create() || !err.Create()) {
        result.err = "could not create the output pipes";
        return result;
    }

    // The job holds the program and everything it starts, so that waiting covers programs that
    // the shell starts on its behalf, and a timeout ends them all.
    Handle job(CreateJobObjectW(nullptr, nullptr));
    if (job.Get() == nullptr) {
        result.err = "could not create a job object";
        return result;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.write.Get();
    startup.hStdError = err.write.Get();

    std::vector<wchar_t> environment = EnvironmentWithout(removedVariable);
    std::wstring mutableLine = commandLine;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &started)) {
        result.err = "could not start the program (error " + std::to_string(GetLastError()) + ")";
        return result;
    }
    Handle process(started.hProcess);
    Handle thread(started.hThread);
    // Only the child may hold the write ends, or the pipes never report their end.
    out.write.Close();
    err.write.Close();
    if (!AssignProcessToJobObject(job.Get(), process.Get())) {
        TerminateProcess(process.Get(), 99);
        result.err = "could not put the program into a job";
        return result;
    }
    ResumeThread(thread.Get());

    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        Drain(out.read.Get(), result.out);
        Drain(err.read.Get(), result.err);
        const bool ended = WaitForSingleObject(process.Get(), 10) == WAIT_OBJECT_0;
        if (ended && JobIsEmpty(job.Get())) {
            break;
        }
        if (GetTickCount64() >= deadline) {
            TerminateJobObject(job.Get(), 99);
            WaitForSingleObject(process.Get(), 5000);
            Drain(out.read.Get(), result.out);
            Drain(err.read.Get(), result.err);
            return result;
        }
        if (ended) {
            Sleep(10);
        }
    }
    Drain(out.read.Get(), result.out);
    Drain(err.read.Get(), result.err);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.Get(), &exitCode);
    result.exitCode = exitCode;
    return result;
}

HANDLE StartProcess(const std::wstring& commandLine, const std::wstring& currentFolder,
                    const wchar_t* removedVariable)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    std::vector<wchar_t> environment = EnvironmentWithout(removedVariable);
    std::wstring mutableLine = commandLine;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &started)) {
        return nullptr;
    }
    CloseHandle(started.hThread);
    return started.hProcess;
}

}  // namespace e2e
