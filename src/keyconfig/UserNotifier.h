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
