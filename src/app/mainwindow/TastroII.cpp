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

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // Libraries loaded by bare name must not come from the current folder.
    SetDllDirectoryW(L"");
    RegisterMainMessages();

    // Kept until the process ends.
    CreateMutexW(nullptr, FALSE, L"Tastro");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        const HWND running = FindWindowW(kMainWindowClass, kMainWindowCaption);
        SendMessageW(running, ZavadOvaMessage(), MKM_SHOW_WINDOW, 0);
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
