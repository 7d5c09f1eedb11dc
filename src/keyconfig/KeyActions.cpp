#include "KeyActions.h"

#include "FunData.h"
#include "ProgramFolder.h"

namespace {

bool SwitchAudioDevice(KeyActionPlatform& platform)
{
    // Loaded for each press and freed again, so a replaced library takes effect at once.
    const std::wstring path = ProgramFolder() + L"Sonaflip.dll";
    HMODULE module = platform.Load(path);
    if (module == nullptr)
        return false;
    SetNextPlaybackDeviceAsDefaultProc proc = nullptr;
    const bool bound = BindEntryPoint(platform, module, "SetNextPlaybackDeviceAsDefault", proc);
    if (bound) {
        wchar_t buffer[kAudioBufferCapacity] = {};
        proc(buffer, kAudioBufferCapacity);
    }
    platform.Free(module);
    return bound;
}

} // namespace

bool ShellOpen(const std::wstring& path, KeyActionPlatform& platform)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = nullptr;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpParameters = L"";
    info.lpDirectory = L"";
    info.nShow = SW_SHOW;
    return platform.ExecuteShell(info) != FALSE;
}

bool ExecuteFunKey(int n, KeyActionPlatform& platform)
{
    const _FunData* data = FindFunData(n);
    if (data == nullptr)
        return true;
    // Copied out: the shell may pump messages that reload the records.
    const std::wstring value(FieldText(data->Value[0]));
    switch (data->Type) {
    case FUN_TYPE_SHORTCUT:
        return ShellOpen(value, platform);
    case FUN_TYPE_FUNCTION:
        // The exact text the Function Keys page writes, not the number it reads as.
        if (value == L"429")
            return ShellOpen(ProgramFolder() + L"Unmounter.exe", platform);
        if (value == L"430")
            return SwitchAudioDevice(platform);
        return true;
    default:
        return true;
    }
}
