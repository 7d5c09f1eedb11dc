#include "forms/Application.h"

#include <algorithm>
#include <cstdlib>

#include "forms/Dialogs.h"
#include "forms/Exceptions.h"
#include "forms/Form.h"
#include "forms/Internal.h"
#include "forms/Rtl.h"

namespace forms {

namespace {

BOOL CALLBACK TakeFirstIcon(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR context)
{
    auto* icon = reinterpret_cast<HICON*>(context);
    *icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    return FALSE;
}

}  // namespace

TApplication& Application()
{
    // Made on first use and never destroyed: forms still running at exit must find it.
    static TApplication* application = new TApplication();
    return *application;
}

std::wstring ExceptionText(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
        return L"Unknown exception";
    }
    return {};
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::RegisterForm(TForm* form)
{
    if (!mainForm_)
        mainForm_ = form;
}

void TApplication::FormDestroyed(TForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::ControlDestroyed(TControl* control)
{
    released_.erase(std::remove(released_.begin(), released_.end(), control), released_.end());
}

void TApplication::QueueRelease(TControl* control)
{
    if (std::find(released_.begin(), released_.end(), control) == released_.end())
        released_.push_back(control);
    // Wakes the loop so that the control goes soon.
    PostMessageW(nullptr, WM_NULL, 0, 0);
}

void TApplication::FreeReleasedControls()
{
    for (size_t i = 0; i < released_.size();) {
        TControl* control = released_[i];
        const auto* form = dynamic_cast<TForm*>(control);
        if (detail::DispatchActive(control) || (form && form->Modal())) {
            ++i;
            continue;
        }
        released_.erase(released_.begin() + static_cast<std::ptrdiff_t>(i));
        delete control;
        i = 0;  // freeing one control may free others
    }
}

bool TApplication::HandleMessage(bool wait)
{
    if (!released_.empty())
        FreeReleasedControls();
    MSG msg{};
    if (wait) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            terminated_ = true;
            return false;
        }
    } else {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return false;
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return false;
        }
    }
    // A Tab on one of the layer's controls moves the focus (in the control's WM_KEYDOWN); it must not also
    // become a character.
    const bool tab = msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && detail::ControlFromHandle(msg.hwnd) &&
                     !(SendMessageW(msg.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&msg)) &
                       (DLGC_WANTTAB | DLGC_WANTALLKEYS));
    if (!tab)
        TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (!released_.empty())
        FreeReleasedControls();
    return true;
}

void TApplication::ProcessMessages()
{
    while (HandleMessage(false)) {
    }
}

void TApplication::Run()
{
    if (mainForm_ && showMainForm_)
        mainForm_->Show();
    while (!terminated_)
        HandleMessage(true);
    // The forms go now, while everything they use still exists.
    DestroyComponents();
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::EndProcess(UINT exitCode)
{
    // A form's OnDestroy may free components: the index is checked again on every step.
    for (int i = ComponentCount() - 1; i >= 0; --i) {
        if (i >= ComponentCount())
            continue;
        if (auto* form = dynamic_cast<TForm*>(Components(i)))
            form->DoDestroy();
    }
    std::_Exit(static_cast<int>(exitCode));
}

std::wstring TApplication::ExeName() const
{
    return ModuleFileName();
}

const std::wstring& TApplication::Title() const
{
    if (title_.empty()) {
        std::wstring name = ExtractFileName(ModuleFileName());
        const size_t dot = name.rfind(L'.');
        title_ = dot == std::wstring::npos ? name : name.substr(0, dot);
    }
    return title_;
}

TIcon& TApplication::Icon()
{
    if (!iconLoaded_) {
        iconLoaded_ = true;
        HICON icon = nullptr;
        EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, TakeFirstIcon, reinterpret_cast<LONG_PTR>(&icon));
        if (!icon)
            icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
        icon_.SetHandle(icon);
    }
    return icon_;
}

HWND TApplication::Handle()
{
    return mainForm_ ? mainForm_->Handle() : nullptr;
}

HWND TApplication::ActiveWindow()
{
    const HWND active = GetActiveWindow();
    if (active && GetWindowThreadProcessId(active, nullptr) == GetCurrentThreadId())
        return active;
    return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

void TApplication::HandleException(TObject* sender)
{
    const std::exception_ptr error = std::current_exception();
    if (!error)
        return;
    if (OnException) {
        OnException(sender, error);
        return;
    }
    std::wstring text = ExceptionText(error);
    if (!text.empty() && text.back() > L'.')
        text += L'.';
    ShowMessageBox(ActiveWindow(), text, Title(), MB_OK | MB_ICONSTOP);
}

void TApplication::Minimize()
{
    if (const HWND window = Handle())
        ShowWindow(window, SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (const HWND window = Handle())
        ShowWindow(window, SW_RESTORE);
}

}  // namespace forms
