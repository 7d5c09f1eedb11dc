#include "KeyConfigCtl.h"

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    // Libraries load from the program folder by full path; keep the current folder out of the
    // search order for anything loaded by bare name.
    SetDllDirectoryW(L"");
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return KeyConfigCtl(stdout, stderr).Run(args);
}
