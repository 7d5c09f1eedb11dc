#pragma once

#include <windows.h>

// The identifier under which the main window registers with the system service; the same text
// unregisters it.
inline constexpr wchar_t kSysSvrRegistrationId[] = L"5E1C7A90-2B4D-4f8a-9C3E-71D0B6A42F58";

// The service reports a controller key with these two values. Its message number is its own
// choice, so only the values are tested.
constexpr WPARAM SVC_FUNKEY_WPARAM = 0x55;
constexpr LPARAM SVC_FUNKEY_LPARAM = static_cast<LPARAM>(0xA002000Bu);

// True for the service's key notification, whatever the message number.
constexpr bool IsSysSvrKeyNotification(WPARAM wParam, LPARAM lParam) noexcept
{
    // The value is 32 bits wide; a 64-bit sender may widen it with or without its sign.
    constexpr LPARAM kSignExtended = static_cast<LONG>(0xA002000Bu);
    return wParam == SVC_FUNKEY_WPARAM && (lParam == SVC_FUNKEY_LPARAM || lParam == kSignExtended);
}
