#pragma once

// The skinned radio button: face bitmaps and glow settings for unchecked and checked. Checking one unchecks
// every other radio button of the same parent with the same GroupIndex.

#include <memory>

#include "gui/controls/GsCustomButton.h"
#include "gui/controls/GsRadioButtonAppearance.h"
#include "gui/controls/GsRadioButtonOuterGlowTextEffect.h"

namespace gs {

class GsRadioButton : public GsCustomButton {
public:
    explicit GsRadioButton(forms::TComponent* owner);
    ~GsRadioButton() override;

    GsRadioButtonAppearance& Appearance() { return *appearance_; }
    void SetAppearance(GsRadioButtonAppearance* value);
    GsRadioButtonOuterGlowTextEffect& TextEffect() { return *textEffect_; }
    void SetTextEffect(GsRadioButtonOuterGlowTextEffect* value);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    int DrawState() const { return drawState_; }

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
    void DblClick() override;
    void KeyPress(wchar_t& key) override;

private:
    void UncheckSiblings();

    std::unique_ptr<GsRadioButtonAppearance> appearance_;
    int drawState_ = dsRaised;
    bool checked_ = false;
    int groupIndex_ = 0;
    std::unique_ptr<GsRadioButtonOuterGlowTextEffect> textEffect_;
};

}  // namespace gs
