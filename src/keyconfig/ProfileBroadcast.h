#pragma once

#include <windows.h>

// wParam of the broadcast that asks the running program to apply the target profile.
constexpr WPARAM BROADCAST_LOAD_PROFILE = 0x2132;

// The registered "VORN_BROADCAST_MESSAGE" (0 when the system refused to register it).
UINT BroadcastMessage();

// Posts the load request to every top-level window.
void BroadcastLoadProfile();

// True when (message, wParam) is the load request.
bool IsLoadProfileRequest(UINT message, WPARAM wParam);
