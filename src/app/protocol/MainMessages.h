#pragma once

#include "MainWindowProtocol.h"

#include <windows.h>

#include <cstdint>
#include <optional>

// The main window's registered message (kMainWindowMessageName), registered on the first call.
UINT ZavadOvaMessage();

// Registers the main window's two messages; called once before the main form exists.
void RegisterMainMessages();

// A key reported by the keyboard hook: the key code and MACRO_STEP_KEY_DOWN or MACRO_STEP_KEY_UP.
struct HookKey {
    std::uint32_t key = 0;
    int kind = 0;
};

// A release bit wins over a press bit; a word with neither is no key.
std::optional<HookKey> DecodeHookKey(std::uint32_t word) noexcept;

// The key number 1..10 a sub-code names in lParam, or nothing for any other value.
std::optional<int> KeyNumberOf(LPARAM lParam) noexcept;
