#include "forms/Dialogs.h"

#include "forms/Application.h"

namespace forms {

namespace {

MessageBoxHandler& Handler()
{
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler)
{
    MessageBoxHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags)
{
    if (Handler())
        return Handler()(owner, text, caption, flags);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void ShowMessage(const std::wstring& text)
{
    ShowMessageBox(Application().ActiveWindow(), text, Application().Title(), MB_OK);
}

}  // namespace forms
