#pragma once

// Message boxes. Every box the layer shows goes through ShowMessageBox, which tests replace so that no
// modal box ever waits for a user.

#include <windows.h>

#include <functional>
#include <string>

namespace forms {

using MessageBoxHandler =
    std::function<int(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)>;

// Installs a handler in place of MessageBoxW (empty = MessageBoxW again); returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// MessageBoxW, or the installed handler.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);

// A modal box with the text and an OK button, captioned with the application's title and owned by the
// active window of the application.
void ShowMessage(const std::wstring& text);

}  // namespace forms
