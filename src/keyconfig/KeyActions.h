#pragma once

#include "KeyActionPlatform.h"

#include <string>

// The audio library's entry point: makes the next playback device the default one.
using SetNextPlaybackDeviceAsDefaultProc = DWORD(WINAPI*)(wchar_t* buffer, DWORD capacity);

constexpr DWORD kAudioBufferCapacity = 256;

// Asks the shell to open `path` (document, folder or program) and returns at once; true when the
// shell started it.
bool ShellOpen(const std::wstring& path, KeyActionPlatform& platform = SystemKeyActionPlatform());

// Runs the host-side action of key n (1..10), if it has one: opens a shortcut's target, starts
// the drive ejector or switches the audio playback device. False when the shell could not start
// the target or the audio library or its entry point is missing; true otherwise.
bool ExecuteFunKey(int n, KeyActionPlatform& platform = SystemKeyActionPlatform());
