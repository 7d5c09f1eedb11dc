// The program users start: one instance, the main form and the dialogs, the message loop.

#include "MainMessages.h"
#include "StartOptions.h"
#include "TConfirmDlg.h"
#include "TOneKeyEditDlg.h"
#include "TRenameDlg.h"
#include "TfmZavadOva.h"
#include "TfrmProfileBox.h"

#include "forms/Application.h"

#include <windows.h>

namespace {

// Longer than the first instance's start-up pause, so that a starting window still shows.
constexpr UINT kShowTimeoutMs = 5000;

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Libraries loaded by bare name must not come from the current folder.
    SetDllDirectoryW(L"");
    RegisterMainMessages();

    // Kept until the process ends.
    CreateMutexW(nullptr, FALSE, L"Tastro");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A first instance that does not answer must not keep this one waiting.
        const HWND running = FindWindowW(kMainWindowClass, kMainWindowCaption);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(running, ZavadOvaMessage(), MKM_SHOW_WINDOW, 0, SMTO_ABORTIFHUNG, kShowTimeoutMs, &ignored);
        return 0;
    }

    forms::TApplication& application = forms::Application();
    try {
        application.Initialize();
        application.SetMainFormOnTaskBar(true);
        application.SetTitle(kMainWindowCaption);
        application.SetShowMainForm(!StartsHidden(CommandLineArguments()));
        TfmZavadOva* mainForm = nullptr;
        application.CreateForm(mainForm);
        TOneKeyEditDlg* oneKeyEditDialog = nullptr;
        application.CreateForm(oneKeyEditDialog);
        TRenameDlg* renameDialog = nullptr;
        application.CreateForm(renameDialog);
        TConfirmDlg* confirmDialog = nullptr;
        application.CreateForm(confirmDialog);
        application.CreateForm(frmProfileBox);
        application.Run();
    } catch (...) {
        application.HandleException(nullptr);
    }
    return 0;
}
