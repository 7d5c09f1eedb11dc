#include "MainMessages.h"

#include "FunData.h"
#include "MacroSteps.h"
#include "ProfileBroadcast.h"

UINT ZavadOvaMessage()
{
    static const UINT message = RegisterWindowMessageW(kMainWindowMessageName);
    return message;
}

void RegisterMainMessages()
{
    ZavadOvaMessage();
    BroadcastMessage();
}

std::optional<HookKey> DecodeHookKey(std::uint32_t word) noexcept
{
    const std::uint32_t key = word & kHookKeyMask;
    if (word & kHookKeyUp)
        return HookKey{key, MACRO_STEP_KEY_UP};
    if (word & kHookKeyDown)
        return HookKey{key, MACRO_STEP_KEY_DOWN};
    return std::nullopt;
}

std::optional<int> KeyNumberOf(LPARAM lParam) noexcept
{
    if (lParam < 1 || lParam > kFunKeyCount)
        return std::nullopt;
    return static_cast<int>(lParam);
}
