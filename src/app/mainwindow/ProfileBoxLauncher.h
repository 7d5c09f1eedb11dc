#pragma once

// The profile box's modes.
constexpr int kProfileBoxSave = 0;
constexpr int kProfileBoxLoad = 1;

// Shows the profile box modally in the given mode; returns when it closes. The box stores the
// chosen profile and broadcasts the load request itself.
void ShowProfileBox(int mode);
