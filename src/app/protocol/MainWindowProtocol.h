#pragma once

// How other windows, other programs and the keyboard-hook library reach the main window: they find
// it by class and caption and send it the registered message with a sub-code in wParam.

#include <windows.h>

inline constexpr wchar_t kMainWindowClass[] = L"TfmZavadOva";
inline constexpr wchar_t kMainWindowCaption[] = L"Tastro";
// The name the message is registered under (RegisterWindowMessageW).
inline constexpr wchar_t kMainWindowMessageName[] = L"ZavadOva Main Window Message";

// Sub-codes, carried in wParam.
// lParam is a hook word (below).
constexpr WPARAM MKM_HOOK_KEY = 0xE001;
// lParam is a key number 1..10: its button is drawn again.
constexpr WPARAM MKM_REFRESH_KEY = 1254;
constexpr WPARAM MKM_SHOW_WINDOW = 1255;
// Closes the key-step dialog.
constexpr WPARAM MKM_CLOSE_EDIT = 1257;
// A key's assignment changed (lParam its number): the key table is written again.
constexpr WPARAM MKM_KEY_CHANGED = 1258;

// The hook word: the virtual-key code in bits 0-27, bit 30 for a press, bit 31 for a release
// (a release wins when both are set).
constexpr DWORD kHookKeyMask = 0x0FFFFFFF;
constexpr DWORD kHookKeyDown = 0x40000000;
constexpr DWORD kHookKeyUp = 0x80000000;
