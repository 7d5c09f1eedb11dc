#include "KeyConfigCtl.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return KeyConfigCtl(stdout, stderr).Run(args);
}
