#pragma once

// A stand-in main window (the class and caption the overlays look for, a window region, a plain colour
// behind the popups), shown once for every test of the program, and the drawn pictures read back.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowProtocol.h"
#include "WindowTestSupport.h"
#include "forms/Bitmap.h"
#include "forms/Form.h"
#include "gui/controls/Mycommonfunc.h"
#include "gui/png/PngReader.h"

namespace dialogtest {

// Colour of the stand-in main window (0xRRGGBB and 0xBBGGRR alike), found in no picture.
constexpr std::uint32_t kBackdrop = 0x30A030;

class MainWindow : public forms::TForm {
public:
    explicit MainWindow(forms::TComponent* owner) : forms::TForm(owner, kMainWindowClass)
    {
        SetBorderStyle(forms::bsNone);
        SetCaption(kMainWindowCaption);
        SetColor(kBackdrop);
        SetBounds(40, 40, 700, 420);
        DoCreate();
        SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, 700, 420, 40, 40), FALSE);
    }
    std::vector<WPARAM> subCodes;  // of the main window's registered message

protected:
    void WndProc(forms::TMessage& message) override
    {
        static const UINT zavadOva = RegisterWindowMessageW(kMainWindowMessageName);
        if (message.Msg == zavadOva)
            subCodes.push_back(message.WParam);
        forms::TForm::WndProc(message);
    }
};

// A drawn picture of the program folder's resource folder, 32-bit.
inline std::unique_ptr<forms::TBitmap> Picture(const std::wstring& file)
{
    auto bitmap = std::make_unique<forms::TBitmap>();
    gs::LoadPngToBitmap(GetExeFolder() + L"resource\\" + file, *bitmap);
    return bitmap;
}

// A pixel of a 32-bit picture as 0xRRGGBB.
inline std::uint32_t PixelOf(forms::TBitmap& bitmap, int x, int y)
{
    const std::uint8_t* p = bitmap.ScanLine(y) + 4 * x;
    return std::uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

class DialogTest : public formtest::WindowTest {
protected:
    static void SetUpTestSuite()
    {
        // The translation library beside the program reads it on every call.
        std::ofstream(std::filesystem::path(GetExeFolder() + L"Translation.ini"))
            << "[Text]\nCancel=Abbrechen\n\"or \"=\"oder \"\n";
        forms::Application().CreateForm(main);
        main->Show();
    }
    static void TearDownTestSuite()
    {
        delete main;
        main = nullptr;
    }

    static inline MainWindow* main = nullptr;
};

}  // namespace dialogtest
