#pragma once

// The parts the skinned popup dialogs (rename, confirmation) build alike: the background picture that
// sizes and shapes the window, pictures with alpha, labels, the two text buttons in the popup text style
// and the close mark.

#include <string>

#include "forms/Color.h"
#include "forms/Form.h"
#include "forms/Types.h"

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}

namespace popup {

// The key colour cut out of the popup's background picture.
constexpr COLORREF kShapeKey = 0xFF00FF;
// The label colour of the popups.
constexpr forms::TColor kTextColor = 0xD2D2D2;

// resource\popup\popup.png at (0,0). The form takes the picture's size and its window the picture's shape
// (every pixel of exactly the key colour cut out). A missing or empty picture leaves the form's size and
// gives no region: the dialog stays on screen and usable.
gs::GsImage* MakeBackground(forms::TForm* form);

// A picture of resource\popup\ drawn by its alpha channel, with the global alpha on at 255.
gs::GsImage* MakeAlphaImage(forms::TForm* form, const std::wstring& fileName, int x, int y);

// A shown factory label: text, Arial of the given height, colour, position.
forms::TLabel* MakeLabel(forms::TForm* form, const std::wstring& text, int fontHeight, forms::TColor color, int x,
                         int y);

// A shown push button from resource\button\<baseName>_n/_d/_o/_un.png over the background's picture, with an
// empty hint and the given click handler.
gs::GsButton* MakeButton(forms::TForm* form, gs::GsImage* background, int x, int y, const std::wstring& baseName,
                         const std::wstring& caption, forms::TNotifyEvent onClick);

// The red caption states of the popups' text buttons.
void ApplyPopupTextStyle(gs::GsButton* button);

// The text buttons' pictures and the close mark's.
inline const wchar_t kTextButton[] = L"profile";
inline const wchar_t kCloseButton[] = L"x";

}  // namespace popup
