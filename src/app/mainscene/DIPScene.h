#pragma once

#include "forms/Object.h"

#include <memory>
#include <vector>

namespace forms {
class TBitmap;
class TComponent;
class TControl;
}

// A group of controls on one form and of child scenes, shown, hidden and moved together, with a
// draw bitmap that the scenes of a window share.
class DIPScene : public forms::TObject {
public:
    // Owner: the form that owns the scene's controls. The bitmap is shared, never owned.
    DIPScene(forms::TComponent* owner, forms::TBitmap* bitmap);
    // Frees the own controls, then the child scenes; the owner and the bitmap are left alone.
    ~DIPScene() override;

    virtual void Show();
    virtual void Hide();
    // PaintSelf when `drawSelf`, then Paint on every child with the same arguments.
    virtual void Paint(forms::TBitmap* bitmap, bool drawSelf, bool passThrough);
    virtual void NotifyChildren();
    // The children first, then this scene.
    virtual void SetBitmap(forms::TBitmap* bitmap);
    // Moves every child and own control by the change, keeping their offsets.
    virtual void SetLeft(int left);
    virtual void SetTop(int top);
    virtual void SetOwner(forms::TComponent* owner);

    void ShowControls();
    void HideControls();
    void ShowChildren();
    void HideChildren();
    // Clips the bitmap's canvas to the scene and moves its origin to the scene's position while
    // the scene draws, then leaves clip region and origin as they were.
    void PaintSelf(forms::TBitmap* bitmap, bool passThrough);

    int Left() const { return left_; }
    int Top() const { return top_; }
    forms::TComponent* Owner() const { return owner_; }
    forms::TBitmap* Bitmap() const { return bitmap_; }

protected:
    // Subclasses append; the lists keep insertion order.
    std::vector<std::unique_ptr<DIPScene>> children;
    std::vector<forms::TControl*> controls;

private:
    forms::TComponent* owner_;
    forms::TBitmap* bitmap_ = nullptr;
    int left_ = 0;
    int top_ = 0;
};
