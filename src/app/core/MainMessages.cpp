#include "MainMessages.h"

#include "FunData.h"
#include "ProfileBroadcast.h"

UINT ZavadOvaMessage()
{
    static const UINT message = RegisterWindowMessageW(L"ZavadOva Main Window Message");
    return message;
}

void RegisterMainMessages()
{
    ZavadOvaMessage();
    BroadcastMessage();
}

std::optional<HookKey> DecodeHookKey(LPARAM lParam) noexcept
{
    const auto value = static_cast<DWORD>(lParam);
    const int key = static_cast<int>(value & 0x0FFFFFFFu);
    if (value & 0x80000000u)
        return HookKey{key, kStepKeyUp};
    if (value & 0x40000000u)
        return HookKey{key, kStepKeyDown};
    return std::nullopt;
}

std::optional<int> KeyNumberOf(LPARAM lParam) noexcept
{
    if (lParam < 1 || lParam > kFunKeyCount)
        return std::nullopt;
    return static_cast<int>(lParam);
}
