// Records that it was started: one line "<own file name>\t<command line>" in witness.log of the
// state folder. Stands in for any program the system starts; copies under other names record
// those names.

#include "FileIo.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    try {
        const std::string line = sim::ToUtf8(sim::ModuleFileName()) + "\t" + sim::ToUtf8(GetCommandLineW()) + "\n";
        sim::AppendToFile(sim::StateFolder() + L"witness.log", line);
    } catch (...) {
    }
    return 0;
}
