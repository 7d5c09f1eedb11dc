// Measures the key-table assembly in memory and the full "build" round trip (load fun.cfg and
// the key tables, assemble, write through the controller library) on a scratch program folder
// holding a configuration that uses every key type. Prints medians of repeated runs, each figure
// in milliseconds per call.

#include "BenchReport.h"

#include "ConsoleNotifier.h"
#include "ControllerLink.h"
#include "EcBuffer.h"
#include "FunctionTable.h"
#include "KeyAssignmentStore.h"
#include "ModuleLoader.h"
#include "ProgramFolder.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

using Milliseconds = std::chrono::duration<double, std::milli>;

// The time of one call of `work` in 15 runs, each of as many calls as fill about 100 ms, so that
// the whole measurement takes about two seconds however fast the work is.
std::vector<double> TimePerCall(const std::function<void()>& work)
{
    constexpr int kRuns = 15;
    constexpr double kRunMs = 100;
    const auto first = Clock::now();
    work();
    const double once = Milliseconds(Clock::now() - first).count();
    const int repeats = std::max(1, static_cast<int>(kRunMs / std::max(once, 1e-3)));
    std::vector<double> samples;
    for (int r = 0; r < kRuns; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < repeats; ++i)
            work();
        samples.push_back(Milliseconds(Clock::now() - start).count() / repeats);
    }
    return samples;
}

void WriteKey(const std::wstring& file, int n, int type, int count, const std::vector<std::wstring>& values)
{
    const std::wstring section = L"F" + std::to_wstring(n);
    WritePrivateProfileStringW(section.c_str(), L"DisplayName", section.c_str(), file.c_str());
    for (std::size_t i = 0; i < values.size(); ++i)
        WritePrivateProfileStringW(section.c_str(), std::to_wstring(i + 1).c_str(), values[i].c_str(), file.c_str());
    WritePrivateProfileStringW(section.c_str(), L"Type", std::to_wstring(type).c_str(), file.c_str());
    WritePrivateProfileStringW(section.c_str(), L"Count", std::to_wstring(count).c_str(), file.c_str());
    if (type == 129)
        for (int l = 1; l <= count; ++l)
            WritePrivateProfileStringW(section.c_str(), (std::to_wstring(l) + L"_code").c_str(), L"0x1a0023a",
                                       file.c_str());
}

std::wstring MakeScratchFolder(const std::wstring& dist)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"keyconfigbench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* name : {L"Biosgateex.dll", L"KeyMap.cfg", L"FunKeyMap.cfg", L"Setting.ini"})
        CopyFileW((dist + name).c_str(), (folder + name).c_str(), FALSE);

    const std::wstring fun = folder + L"fun.cfg";
    WriteKey(fun, 1, 3, 1, {L"C:\\Windows\\notepad.exe"});
    WriteKey(fun, 2, 2, 2, {L"Hello, world! 0123456789 abcdefghij", L"second text"});
    WriteKey(fun, 3, 4, 1, {L"404"});
    WriteKey(fun, 4, 129, 15, {L"65", L"66", L"67"});
    WriteKey(fun, 5, 4, 1, {L"429"});
    WriteKey(fun, 6, 2, 1, {L"The quick brown fox jumps over the lazy dog 1234567"});
    WriteKey(fun, 7, 4, 1, {L"416"});
    WriteKey(fun, 8, 129, 8, {L"65"});
    WriteKey(fun, 9, 3, 1, {L"C:\\"});
    WriteKey(fun, 10, 4, 1, {L"430"});
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, fun.c_str());
    return folder;
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(folder + name + L"\\");
            else
                DeleteFileW((folder + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

int wmain()
{
    const std::wstring dist = ModuleFolder(reinterpret_cast<const void*>(&wmain)) + L"..\\dist\\";
    const std::wstring folder = MakeScratchFolder(dist);
    SetProgramFolder(folder);
    SetEnvironmentVariableW(L"TASTRO_SIM_DIR", (folder + L"SimState").c_str());

    LoadConfig();
    LoadFunKeyMap();
    const ControllerPort::Table table = AssembleEcBuffer();
    std::printf("configuration: 10 keys, %d records\n", table[ecbuffer::kRecordCount]);

    Report("Key-table assembly", TimePerCall([] { (void)AssembleEcBuffer(); }));

    ConsoleNotifier notifier;
    ControllerLink link(ProcessAcpiFunctions(), SystemModuleLoader(), notifier);
    if (link.AcpiInitialize() == 0 || !ProcessAcpiFunctions().IsBound() || !BuildEcBuffer(link)) {
        std::fprintf(stderr, "the controller stand-in from %ls could not be loaded or refused the table\n",
                     dist.c_str());
        RemoveFolder(folder);
        return 1;
    }
    Report("Build round trip (load, assemble, write)", TimePerCall([&] {
               LoadConfig();
               LoadFunKeyMap();
               BuildEcBuffer(link);
           }));

    RemoveFolder(folder);
    return 0;
}
