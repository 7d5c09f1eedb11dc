#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The key configuration without a window: the same operations the main program runs, on the
// program folder the driver lies in, one command per run.
class KeyConfigCtl {
public:
    enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

    KeyConfigCtl(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

    // args excludes the program name.
    int Run(const std::vector<std::wstring>& args);

private:
    int Build();
    int Clear(const std::wstring& which);
    int Switch(const std::wstring& state);
    int Report();
    int Profile(const std::vector<std::wstring>& args);

    int Usage();
    int Fail(const std::wstring& message);
    void Say(const std::wstring& line);

    std::FILE* out_;
    std::FILE* err_;
};
