#include "UserNotifier.h"

#include <windows.h>

namespace {

class MessageBoxNotifier final : public UserNotifier {
public:
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override
    {
        MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
    }
};

} // namespace

UserNotifier& SystemNotifier()
{
    static MessageBoxNotifier notifier;
    return notifier;
}

void StopOnFailedCheck(const std::wstring& check, const std::wstring& source)
{
    const std::wstring text = L"Assertion failed: " + check + L"\r\n\r\n" + source;
    MessageBoxW(nullptr, text.c_str(), L"Tastro", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    // The exit code an aborted program reports.
    ExitProcess(3);
}
