#pragma once

// The application object: the forms it creates, the message loop and the reporting of exceptions that
// reach a window procedure, timer or other callback.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/Icon.h"

namespace forms {

class TControl;
class TForm;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize() {}
    // Creates a form owned by the application; the first one becomes the main form.
    template <class F>
    void CreateForm(F*& reference)
    {
        reference = new F(this);
        RegisterForm(reference);
    }
    // Shows the main form (unless ShowMainForm is false) and handles messages until Terminate or the main
    // form closes.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Ends the process at once with `exitCode` after every form's OnDestroy ran (once, last made
    // first), so that what the forms hold outside the process (registrations, notification-area
    // icons) goes with them; nothing else runs, no static object is destroyed.
    [[noreturn]] void EndProcess(UINT exitCode);
    // Handles one message (waiting for it when `wait`); false when none was there or the loop must end.
    bool HandleMessage(bool wait = true);
    // Handles every queued message, then returns (for tests and busy loops).
    void ProcessMessages();

    TForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }
    bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
    void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }

    std::wstring ExeName() const;
    const std::wstring& Title() const;
    void SetTitle(const std::wstring& title) { title_ = title; }
    // The executable's first icon resource (the system's application icon when it has none).
    TIcon& Icon();
    // The window that stands for the application: the main form's.
    HWND Handle();
    // The enabled top-level window of the application that is active, else the main form's window.
    HWND ActiveWindow();

    // Reports the exception being handled (call from a catch block): OnException when set, else a message
    // box with the exception's text and the application's title; the program goes on.
    void HandleException(TObject* sender);
    std::function<void(TObject* sender, std::exception_ptr error)> OnException;

    void Minimize();
    void Restore();

private:
    friend class TControl;
    friend class TForm;
    void RegisterForm(TForm* form);
    void FormDestroyed(TForm* form);
    // Released controls are freed once none of their messages is being handled and no modal run of theirs
    // is on the stack.
    void QueueRelease(TControl* control);
    void ControlDestroyed(TControl* control);
    void FreeReleasedControls();

    TForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool mainFormOnTaskBar_ = false;
    bool terminated_ = false;
    mutable std::wstring title_;
    TIcon icon_;
    bool iconLoaded_ = false;
    std::vector<TControl*> released_;
};

TApplication& Application();

// The text an exception object carries (forms::Exception's message, std::exception's what()).
std::wstring ExceptionText(std::exception_ptr error);

}  // namespace forms
