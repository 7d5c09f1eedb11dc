// Simulated audio switch: cycles the default playback device through the names listed in
// audio.ini and records the new default there.

#include "CallLog.h"
#include "IniFile.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kAudio[] = L"Audio";
constexpr const wchar_t* kDefaultDevices[] = {L"Speakers", L"Headphones", L"Digital Output"};
// The caller's buffer holds 256 characters whatever capacity it claims.
constexpr DWORD kMaxCapacity = 256;

std::vector<std::wstring> Devices(const sim::IniFile& ini)
{
    std::vector<std::wstring> devices;
    const std::wstring list = ini.Get(kAudio, L"Devices");
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(L';', start);
        if (end == std::wstring::npos) {
            end = list.size();
        }
        std::wstring name = sim::Trim(std::wstring_view(list).substr(start, end - start));
        if (!name.empty()) {
            devices.push_back(std::move(name));
        }
        start = end + 1;
    }
    if (devices.empty()) {
        devices.assign(std::begin(kDefaultDevices), std::end(kDefaultDevices));
    }
    return devices;
}

}  // namespace

extern "C" {

// Makes the device after the recorded default the new default and writes its name into the
// buffer. 1 on success, 0 when the new default could not be recorded.
DWORD WINAPI SetNextPlaybackDeviceAsDefault(wchar_t* buffer, DWORD capacity)
{
    try {
        sim::CallLine("SetNextPlaybackDeviceAsDefault").Buffer(buffer).Number(capacity).Write();
        const sim::IniFile ini(sim::StateFolder() + L"audio.ini");
        const std::vector<std::wstring> devices = Devices(ini);
        const auto current = std::find(devices.begin(), devices.end(), ini.Get(kAudio, L"Default"));
        // Without a known default the first device comes first.
        const std::size_t next =
            current == devices.end() ? 0 : (static_cast<std::size_t>(current - devices.begin()) + 1) % devices.size();
        const std::wstring& name = devices[next];

        const DWORD room = std::min(capacity, kMaxCapacity);
        if (buffer != nullptr && room > 0) {
            const std::size_t copied = std::min<std::size_t>(name.size(), room - 1);
            std::memcpy(buffer, name.data(), copied * sizeof(wchar_t));
            buffer[copied] = L'\0';
        }
        return ini.Set(kAudio, L"Default", name) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
