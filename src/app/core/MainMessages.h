#pragma once

#include <windows.h>

#include <optional>

// The main window's identity: a second start and every key page find it by these two.
inline constexpr wchar_t kMainWindowClass[] = L"TfmZavadOva";
inline constexpr wchar_t kMainWindowCaption[] = L"Tastro";

// Sub-codes of "ZavadOva Main Window Message", carried in wParam.
constexpr WPARAM MKM_HOOK_KEY = 0xE001;
constexpr WPARAM MKM_REFRESH_KEY = 1254;
constexpr WPARAM MKM_SHOW_WINDOW = 1255;
constexpr WPARAM MKM_CLOSE_EDIT = 1257;
constexpr WPARAM MKM_KEY_CHANGED = 1258;

// Kinds of a recorded macro step.
constexpr int kStepKeyDown = 1;
constexpr int kStepKeyUp = 2;
constexpr int kStepDelay = 3;
// The delay step that precedes every hooked key.
constexpr int kHookStepDelay = 10;

// RegisterWindowMessageW("ZavadOva Main Window Message"), registered on the first call.
UINT ZavadOvaMessage();

// Registers the main window's two messages; called once before the main form exists.
void RegisterMainMessages();

// A key reported by the keyboard hook: the key code (bits 0-27) and key down or key up.
struct HookKey {
    int key = 0;
    int kind = 0;
};

// Bit 31 set is a key up, else bit 30 set a key down; anything else is no key.
std::optional<HookKey> DecodeHookKey(LPARAM lParam) noexcept;

// The key number 1..10 a sub-code names in lParam, or nothing for any other value.
std::optional<int> KeyNumberOf(LPARAM lParam) noexcept;
