#pragma once

#include "UserNotifier.h"

#include <string>

// Reports what the program would show in a message box as a line on standard error, so that a
// console run never blocks on a dialog nobody can see.
class ConsoleNotifier final : public UserNotifier {
public:
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
    bool Notified() const noexcept { return notified_; }

private:
    bool notified_ = false;
};

// Writes `line` and a newline as UTF-8.
void WriteLine(std::FILE* stream, const std::wstring& line);
