#pragma once

// The skinned push button: one face bitmap and one glow setting per draw state. A click sets the modal
// result of its form; Space and Enter only change the face.

#include <memory>

#include "gui/controls/GsButtonAppearance.h"
#include "gui/controls/GsButtonOuterGlowTextEffect.h"
#include "gui/controls/GsCustomButton.h"

namespace gs {

class GsButton : public GsCustomButton {
public:
    explicit GsButton(forms::TComponent* owner);
    ~GsButton() override;

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    GsButtonAppearance& Appearance() { return *appearance_; }
    // Copies the pictures into the owned appearance.
    void SetAppearance(GsButtonAppearance* value);
    GsButtonOuterGlowTextEffect& TextEffect() { return *textEffect_; }
    // Copies the settings into the owned text effect.
    void SetTextEffect(GsButtonOuterGlowTextEffect* value);

    int DrawState() const { return drawState_; }

    // Sets the draw state from enabled, focus, key, hover and press.
    virtual void UpdateDrawState();
    virtual void DrawFace();

protected:
    void Paint() override;
    void GetFaceSize(int& width, int& height) override;
    TTextPainter* GetTextPainter(int drawState) override;
    void FontChanged(forms::TObject* sender) override;
    void Click() override;

private:
    int modalResult_ = 0;
    std::unique_ptr<GsButtonAppearance> appearance_;
    int drawState_ = dsRaised;
    std::unique_ptr<GsButtonOuterGlowTextEffect> textEffect_;
};

// The draw state rule shared by the three kinds.
int ComputeDrawState(bool enabled, bool focused, bool keyPressed, bool hovered, bool mousePressed);

}  // namespace gs
