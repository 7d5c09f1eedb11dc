#include "KeyActions.h"

#include "FunData.h"
#include "ProgramFolder.h"

namespace {

void SwitchAudioDevice(KeyActionPlatform& platform)
{
    // Loaded for each press and freed again, so a replaced library takes effect at once.
    const std::wstring path = ProgramFolder() + L"Sonaflip.dll";
    HMODULE module = platform.Load(path);
    if (module == nullptr)
        return;
    SetNextPlaybackDeviceAsDefaultProc proc = nullptr;
    if (BindEntryPoint(platform, module, "SetNextPlaybackDeviceAsDefault", proc)) {
        wchar_t buffer[kAudioBufferCapacity] = {};
        proc(buffer, kAudioBufferCapacity);
    }
    platform.Free(module);
}

} // namespace

void ShellOpen(const std::wstring& path, KeyActionPlatform& platform)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = nullptr;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpParameters = L"";
    info.lpDirectory = L"";
    info.nShow = SW_SHOW;
    platform.ExecuteShell(info);
}

void ExecuteFunKey(int n, KeyActionPlatform& platform)
{
    const _FunData* data = FindFunData(n);
    if (data == nullptr)
        return;
    // Copied out: the shell may pump messages that reload the records.
    const std::wstring value(FieldText(data->Value[0]));
    switch (data->Type) {
    case FUN_TYPE_SHORTCUT:
        ShellOpen(value, platform);
        break;
    case FUN_TYPE_FUNCTION:
        // The exact text the Function Keys page writes, not the number it reads as.
        if (value == L"429")
            ShellOpen(ProgramFolder() + L"Unmounter.exe", platform);
        else if (value == L"430")
            SwitchAudioDevice(platform);
        break;
    default:
        break;
    }
}
