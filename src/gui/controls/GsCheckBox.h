#pragma once

// The skinned check box: face bitmaps and glow settings for unchecked, checked and grayed. A click steps
// Unchecked -> Checked -> Unchecked, or through Grayed when AllowGrayed is on.

#include <memory>

#include "gui/controls/GsCheckBoxAppearance.h"
#include "gui/controls/GsCheckBoxOuterGlowTextEffect.h"
#include "gui/controls/GsCustomButton.h"

namespace gs {

class GsCheckBox : public GsCustomButton {
public:
    explicit GsCheckBox(forms::TComponent* owner);
    ~GsCheckBox() override;

    GsCheckBoxAppearance& Appearance() { return *appearance_; }
    void SetAppearance(GsCheckBoxAppearance* value);
    GsCheckBoxOuterGlowTextEffect& TextEffect() { return *textEffect_; }
    // Copies the settings into the owned text effect and repaints.
    void SetTextEffect(GsCheckBoxOuterGlowTextEffect* value);

    forms::TCheckBoxState State() const { return state_; }
    void SetState(forms::TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    int DrawState() const { return drawState_; }

    // Checked means cbChecked; unchecking leaves a grayed box grayed.
    virtual bool GetChecked();
    virtual void SetChecked(bool value);
    bool Checked() { return GetChecked(); }

    virtual void UpdateDrawState();
    virtual void DrawFace();

protected:
    void Paint() override;
    void GetFaceSize(int& width, int& height) override;
    TTextPainter* GetTextPainter(int drawState) override;
    void FontChanged(forms::TObject* sender) override;
    void Click() override;
    void KeyPress(wchar_t& key) override;

private:
    std::unique_ptr<GsCheckBoxAppearance> appearance_;
    std::unique_ptr<GsCheckBoxOuterGlowTextEffect> textEffect_;
    int drawState_ = dsRaised;
    forms::TCheckBoxState state_ = forms::cbUnchecked;
    bool allowGrayed_ = false;
};

}  // namespace gs
