#pragma once

// The factory that builds the program's skinned controls on a parent, places them, loads their state
// pictures from PNG files and gives them the program's font and state colours.

#include <array>
#include <optional>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Color.h"
#include "forms/WinControl.h"

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsCheckBox;
class GsImage;
class GsRadioButton;
}
class CImageEditBase;
class RegistryPort;

class CommonFuncHelper {
public:
    // Raised, Sunken, Hovered, Disabled.
    using ButtonPaths = std::array<std::wstring, 4>;
    // Unchecked Raised, Hovered, Sunken, Disabled, then the same four for Checked.
    using CheckBoxPaths = std::array<std::wstring, 8>;
    // Unchecked Raised, Unchecked Hovered and Sunken, Checked Raised, Checked Hovered and Sunken,
    // Unchecked Disabled, Checked Disabled.
    using RadioButtonPaths = std::array<std::wstring, 6>;
    // Unchecked Raised, Unchecked Hovered and Sunken, Checked Raised, Checked Hovered and Sunken.
    using RadioButtonBitmaps = std::array<forms::TBitmap*, 4>;
    using OptionalText = std::optional<std::wstring>;

    // The one factory of the run, made on first use; reads the host-suite flag once.
    static CommonFuncHelper* GetInstance();

    CommonFuncHelper();
    // Reads the host-suite flag through `registry` (tests).
    explicit CommonFuncHelper(RegistryPort& registry);
    CommonFuncHelper(const CommonFuncHelper&) = delete;
    CommonFuncHelper& operator=(const CommonFuncHelper&) = delete;

    // 1 when the newer host suite is installed: push buttons then take its colours.
    int HostSuiteFlag() const { return hostSuite_; }

    // Empty paths are skipped; an absent caption or hint is left unset. `background` is the picture the
    // parent shows, on which the control blends its faces.
    void CreateButton(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                      const ButtonPaths& paths, const OptionalText& caption, const OptionalText& hint,
                      gs::GsButton*& button);
    void CreateCheckBox(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                        const CheckBoxPaths& paths, const OptionalText& caption, const OptionalText& hint,
                        gs::GsCheckBox*& checkBox);
    void CreateRadioButton(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                           const RadioButtonPaths& paths, const OptionalText& caption, const OptionalText& hint,
                           int groupIndex, gs::GsRadioButton*& radioButton);
    // Copies the given bitmaps (each may be null); the caller keeps them.
    void CreateRadioButtonFromBitmaps(forms::TWinControl* parent, forms::TBitmap* background, int x, int y,
                                      const RadioButtonBitmaps& bitmaps, const OptionalText& caption,
                                      const OptionalText& hint, int groupIndex, gs::GsRadioButton*& radioButton);
    void CreateImage(forms::TWinControl* parent, const std::wstring& path, int x, int y, gs::GsImage*& image);
    // A hidden plain label of 100 x 14 until its text is set.
    forms::TLabel* CreateLabel(forms::TWinControl* parent);
    // A hidden edit box over the picture at `path`, without a disabled picture; callers place and show it.
    CImageEditBase* CreateImageEdit(forms::TWinControl* parent, const std::wstring& path, forms::TColor fontColor);

    // Size, font, state colours by the host-suite flag, caption, hint and visibility of a push button.
    void ApplyButtonStyle(gs::GsButton* button, forms::TBitmap* background, const OptionalText& caption,
                          const OptionalText& hint);

private:
    int hostSuite_ = 0;
};
