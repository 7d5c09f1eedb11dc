#pragma once

#include <string>

// Tells the user about a failure. The real one opens a modal message box, which would block a
// test forever, so code that reports takes a notifier.
class UserNotifier {
public:
    virtual ~UserNotifier() = default;

    // A message box without owner, with the given text and caption and an OK button.
    virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
};

// The notifier that opens message boxes.
UserNotifier& SystemNotifier();

// Reports a failed programming check (`check` names the condition, `source` where it is made)
// in a message box and ends the process. Runs in every build type, unlike assert().
[[noreturn]] void StopOnFailedCheck(const std::wstring& check, const std::wstring& source);
