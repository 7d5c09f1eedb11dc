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
