#include "WindowTestBed.h"

#include "forms/Application.h"

namespace controls_test {

namespace {

forms::TForm*& SharedForm()
{
    static forms::TForm* form = nullptr;
    return form;
}

// Frees the shared form after the last test.
class SharedFormEnvironment : public ::testing::Environment {
public:
    void TearDown() override
    {
        delete SharedForm();
        SharedForm() = nullptr;
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new SharedFormEnvironment);

}  // namespace

void WindowTestBed::SetUp()
{
    forms::Application().OnException = [this](forms::TObject*, std::exception_ptr error) {
        errors.push_back(forms::ExceptionText(error));
    };
    if (!SharedForm()) {
        SharedForm() = new forms::TForm(nullptr);
        SharedForm()->SetBorderStyle(forms::bsNone);
        SharedForm()->SetBounds(40, 40, 400, 300);
        SharedForm()->SetColor(0x000000);
        SharedForm()->Show();
    }
    form = SharedForm();
    form->SetModalResult(0);
    SetForegroundWindow(form->Handle());
    host = new forms::TCustomControl(form);
    host->SetParent(form);
    host->SetBounds(0, 0, 400, 300);
    host->SetColor(0x000000);
    PointAway();
    Pump();
}

void WindowTestBed::TearDown()
{
    delete host;
    host = nullptr;
    Pump();
    forms::Application().OnException = nullptr;
    for (const auto& error : errors)
        ADD_FAILURE() << "exception reached a window procedure: " << std::string(error.begin(), error.end());
}

void WindowTestBed::Pump(int milliseconds)
{
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        forms::Application().ProcessMessages();
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    forms::Application().ProcessMessages();
}

void WindowTestBed::PointAt(forms::TWinControl& control, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(control.Handle(), &p);
    SetCursorPos(p.x, p.y);
    Pump();
}

void WindowTestBed::PointAway()
{
    SetCursorPos(1500, 950);
}

void WindowTestBed::Send(forms::TWinControl& control, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SendMessageW(control.Handle(), msg, wParam, lParam);
}

COLORREF WindowTestBed::ScreenPixel(forms::TWinControl& control, int x, int y)
{
    const HDC dc = GetDC(control.Handle());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(control.Handle(), dc);
    return color;
}

}  // namespace controls_test
