#include "ProfileBroadcast.h"

UINT BroadcastMessage()
{
    static const UINT message = RegisterWindowMessageA("VORN_BROADCAST_MESSAGE");
    return message;
}

void BroadcastLoadProfile()
{
    PostMessageW(HWND_BROADCAST, BroadcastMessage(), BROADCAST_LOAD_PROFILE, 0);
}

bool IsLoadProfileRequest(UINT message, WPARAM wParam)
{
    return message != 0 && message == BroadcastMessage() && wParam == BROADCAST_LOAD_PROFILE;
}
