#include "KeyActionPlatform.h"

BOOL Win32KeyActionPlatform::ExecuteShell(SHELLEXECUTEINFOW& info)
{
    return ShellExecuteExW(&info);
}

HMODULE Win32KeyActionPlatform::Load(const std::wstring& path)
{
    return SystemModuleLoader().Load(path);
}

FARPROC Win32KeyActionPlatform::GetProc(HMODULE module, const char* name)
{
    return SystemModuleLoader().GetProc(module, name);
}

void Win32KeyActionPlatform::Free(HMODULE module)
{
    SystemModuleLoader().Free(module);
}

bool Win32KeyActionPlatform::FileExists(const std::wstring& path)
{
    return SystemModuleLoader().FileExists(path);
}

KeyActionPlatform& SystemKeyActionPlatform()
{
    static Win32KeyActionPlatform platform;
    return platform;
}
