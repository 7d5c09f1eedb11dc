#pragma once

#include "ConsoleNotifier.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class RoRarodAzavDll;

// The key configuration without a window: the same operations the main program runs, on the
// program folder the driver lies in, one command per run.
class KeyConfigCtl {
public:
    enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

    KeyConfigCtl(std::FILE* out, std::FILE* err);
    ~KeyConfigCtl();
    KeyConfigCtl(const KeyConfigCtl&) = delete;
    KeyConfigCtl& operator=(const KeyConfigCtl&) = delete;

    // args excludes the program name.
    int Run(const std::vector<std::wstring>& args);

private:
    int Build();
    int Clear(const std::wstring& which);
    int Switch(const std::wstring& state);
    int Report();
    int Profile(const std::vector<std::wstring>& args);

    // Loads the keys and both code tables, as the main program has them when it builds a table.
    void LoadTables();
    // The translation library, loaded at the first use and reporting to the console.
    RoRarodAzavDll& Translation();

    int Usage();
    int Fail(const std::wstring& message);
    void Say(const std::wstring& line);

    std::FILE* out_;
    std::FILE* err_;
    ConsoleNotifier notifier_;
    std::unique_ptr<RoRarodAzavDll> translation_;
};
