#include "KeyActionPlatform.h"

BOOL Win32KeyActionPlatform::ExecuteShell(SHELLEXECUTEINFOW& info)
{
    return ShellExecuteExW(&info);
}

HMODULE Win32KeyActionPlatform::OpenLibrary(const wchar_t* path)
{
    return LoadLibraryW(path);
}

FARPROC Win32KeyActionPlatform::FindProc(HMODULE module, const char* name)
{
    return GetProcAddress(module, name);
}

void Win32KeyActionPlatform::CloseLibrary(HMODULE module)
{
    FreeLibrary(module);
}

KeyActionPlatform& SystemKeyActionPlatform()
{
    static Win32KeyActionPlatform platform;
    return platform;
}
