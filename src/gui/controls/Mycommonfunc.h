#pragma once

// Factories of the popup windows' controls: pictures are bare file names in the popup skin folder.

#include <memory>
#include <optional>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Color.h"
#include "forms/WinControl.h"

namespace gs {
class GsButton;
class GsImage;
class GsLabel;
}

// The folder of the running program, with its trailing backslash.
std::wstring GetExeFolder();
// GetExeFolder() + "resource\popup\".
std::wstring GetPopupResourceFolder();

// A hidden picture from the popup folder, drawn with its alpha channel.
gs::GsImage* CreatePopupImage(forms::TWinControl* parent, const std::wstring& fileName, int x, int y);
// A 32-bit bitmap loaded from the popup folder.
std::unique_ptr<forms::TBitmap> LoadPopupBitmap(const std::wstring& fileName);
// CreatePopupButtonEx with font height 15 and the caption as hint.
gs::GsButton* CreatePopupButton(forms::TWinControl* parent, forms::TBitmap* background, const std::wstring& caption,
                                int x, int y, const std::wstring& baseName);
// A visible push button whose four state pictures are baseName + "_n.png", "_d.png", "_o.png" and
// "_un.png" in the popup folder. An empty caption or hint is left unset.
gs::GsButton* CreatePopupButtonEx(forms::TWinControl* parent, forms::TBitmap* background,
                                  const std::wstring& caption, int x, int y, int fontHeight,
                                  const std::wstring& hint, const std::wstring& baseName);
// A hidden glowless label.
gs::GsLabel* CreatePopupLabel(forms::TWinControl* parent, const std::wstring& text, int x, int y,
                              forms::TColor fontColor);
