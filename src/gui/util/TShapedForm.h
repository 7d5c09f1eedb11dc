#pragma once

// Borderless forms shaped and made translucent by the picture of an image on them, and dragged by it.

#include <memory>

#include "forms/Color.h"
#include "forms/Component.h"
#include "forms/Types.h"
#include "gui/util/LayeredWindow.h"

namespace forms {
class TForm;
class TImage;
}

namespace gs {

// Moves a form when its picture is dragged. Attached to one form and image at a time.
class TDragDelegate {
public:
    TDragDelegate() = default;
    virtual ~TDragDelegate() = default;
    TDragDelegate(const TDragDelegate&) = delete;
    TDragDelegate& operator=(const TDragDelegate&) = delete;

    void Attach(forms::TForm* form, forms::TImage* image);
    void Detach();
    bool IsAttached() const { return image_ != nullptr; }
    forms::TForm* GetForm() const { return form_; }

protected:
    virtual void Hook(forms::TImage* image) = 0;
    virtual void Unhook(forms::TImage* image) = 0;

private:
    forms::TImage* image_ = nullptr;
    forms::TForm* form_ = nullptr;
};

// Drags with the system's caption drag on a left-button press on the picture; the image's own
// mouse-down handler still runs afterwards.
class TNormalDrag : public TDragDelegate {
protected:
    void Hook(forms::TImage* image) override;
    void Unhook(forms::TImage* image) override;

private:
    void ImageMouseDown(forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift, int x, int y);

    forms::TMouseEvent previous_;
};

// Binds a form to the picture of a TImage on it: the form takes the picture's size and shape, and
// can be dragged by it. A maker is attached once and must live as long as its form.
class TShapedFormMaker {
public:
    TShapedFormMaker();
    virtual ~TShapedFormMaker();
    TShapedFormMaker(const TShapedFormMaker&) = delete;
    TShapedFormMaker& operator=(const TShapedFormMaker&) = delete;

    // Attaches to the form the image lies on; false when there is no image or no form.
    bool Attach(forms::TImage* image);
    // Sizes the form to the picture again and re-applies the shape.
    void Refresh();

    void SetDraggable(bool draggable);
    bool GetDraggable() const { return draggable_; }
    forms::TForm* GetForm() const { return m_form; }
    forms::TImage* GetImage() const { return image_; }
    bool IsAttached() const { return m_form != nullptr && image_ != nullptr; }

    virtual void ApplyShape(forms::TForm* form, forms::TImage* image) = 0;
    virtual void RemoveShape(forms::TForm* form) = 0;
    virtual void PrepareForm();
    virtual void SetTransparentColor(forms::TColor color) = 0;
    virtual forms::TColor GetTransparentColor() const = 0;

protected:
    forms::TForm* m_form = nullptr;

private:
    class Watch;

    void EnableDrag();
    void DisableDrag();
    void FormWindowProc(forms::TMessage& message);
    // The form or the image is being freed before the maker.
    void Forget(forms::TComponent* component);

    forms::TImage* image_ = nullptr;
    std::unique_ptr<TDragDelegate> drag_;
    forms::TWndMethod previousWindowProc_;
    bool draggable_ = true;
    std::unique_ptr<Watch> watch_;
};

// A shaped form whose window is a layered window made from the picture: per-pixel alpha, constant
// alpha or a colour key. A new maker keys on the picture's transparent colour.
class TPerPixelLayeredFormMaker : public TShapedFormMaker {
public:
    TPerPixelLayeredFormMaker();
    ~TPerPixelLayeredFormMaker() override;

    void ApplyShape(forms::TForm* form, forms::TImage* image) override;
    void RemoveShape(forms::TForm* form) override;
    void SetTransparentColor(forms::TColor color) override;
    forms::TColor GetTransparentColor() const override;

    void SetColorKeyEnabled(bool enabled);
    bool GetColorKeyEnabled() const { return layered_->GetColorKeyEnabled(); }
    void SetClickThrough(bool clickThrough);
    bool GetClickThrough() const { return layered_->GetClickThrough(); }
    void SetUseConstantAlpha(bool use);
    bool GetUseConstantAlpha() const { return layered_->GetUseConstantAlpha(); }
    void SetAlpha(std::uint8_t alpha);
    std::uint8_t GetAlpha() const { return layered_->GetAlpha(); }
    void SetPerPixelAlpha(bool allowed);

    TPerPixelLayeredWindowMaker& LayeredWindowMaker() { return *layered_; }

private:
    // Re-applies the shape after a setting changed.
    void Reapply();

    std::unique_ptr<TPerPixelLayeredWindowMaker> layered_;
};

} // namespace gs
