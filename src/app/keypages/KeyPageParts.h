#pragma once

// The parts the key pages build alike on the main form: pictures drawn by their alpha channel,
// four-state buttons and the Apply button. Every part is owned by the main form.

#include "forms/Color.h"
#include "forms/Form.h"
#include "forms/Types.h"

#include <string>

namespace forms {
class TBitmap;
class TLabel;
}
namespace gs {
class GsButton;
class GsImage;
}

namespace keypage {

// resource\<folder>\<file> at (x, y), blended by its alpha channel.
gs::GsImage* MakeImage(forms::TForm* form, const std::wstring& folder, const std::wstring& file, int x, int y);

// A hidden push button from resource\<folder>\<base>_n/_d/_o/_un.png over the page bitmap.
gs::GsButton* MakeButton(forms::TForm* form, forms::TBitmap* background, int x, int y, const std::wstring& folder,
                         const std::wstring& base, const std::wstring& caption, const std::wstring& hint,
                         forms::TNotifyEvent onClick);

// A shown label of a fixed size (auto-size off): text, Arial of the given height, colour, bounds.
forms::TLabel* MakeBoxLabel(forms::TForm* form, const std::wstring& text, int fontHeight, forms::TColor color, int x,
                            int y, int width, int height);

// The hidden Apply button at the foot of every key page.
gs::GsButton* MakeApplyButton(forms::TForm* form, forms::TBitmap* background, forms::TNotifyEvent onClick);

}  // namespace keypage
