// The gallery: every control of the toolkit on one skinned window, drawn from pictures the program
// paints itself at start.
//
//   gallery.exe [--skins <folder>] [--ready <event name>] [--no-tray]

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "forms/Application.h"

#include "GalleryForm.h"
#include "SkinFolder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring skinFolder = gallery::DefaultSkinFolder();
    gallery::GalleryOptions& options = gallery::GalleryForm::Options();
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if (arg == L"--skins" && i + 1 < argc)
            skinFolder = argv[++i];
        else if (arg == L"--ready" && i + 1 < argc)
            options.readyEvent = argv[++i];
        else if (arg == L"--no-tray")
            options.withTray = false;
    }
    LocalFree(argv);

    if (!gallery::WriteSkins(skinFolder, options.skins)) {
        MessageBoxW(nullptr, (L"Cannot write the skin pictures into " + skinFolder).c_str(), L"Gallery", MB_OK);
        return 1;
    }

    forms::TApplication& application = forms::Application();
    application.Initialize();
    application.SetTitle(L"Tastro gallery");
    gallery::GalleryForm* form = nullptr;
    application.CreateForm(form);
    application.Run();
    return 0;
}
