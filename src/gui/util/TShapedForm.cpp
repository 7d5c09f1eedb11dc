#include "gui/util/TShapedForm.h"

#include "forms/Assert.h"
#include "forms/Dialogs.h"
#include "forms/Form.h"
#include "forms/Image.h"

namespace gs {

// Tells the maker when its form or image is freed first, so that it never unhooks a dead object.
class TShapedFormMaker::Watch final : public forms::TComponent {
public:
    explicit Watch(TShapedFormMaker& maker) : forms::TComponent(nullptr), maker_(maker) {}

protected:
    void Notification(forms::TComponent* component, forms::TOperation operation) override
    {
        forms::TComponent::Notification(component, operation);
        if (operation == forms::opRemove)
            maker_.Forget(component);
    }

private:
    TShapedFormMaker& maker_;
};

void TDragDelegate::Attach(forms::TForm* form, forms::TImage* image)
{
    FORMS_ASSERT(!IsAttached());
    image_ = image;
    form_ = form;
    Hook(image);
}

void TDragDelegate::Detach()
{
    if (!IsAttached())
        return;
    Unhook(image_);
    image_ = nullptr;
}

void TNormalDrag::Hook(forms::TImage* image)
{
    previous_ = image->OnMouseDown;
    image->OnMouseDown = [this](forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift,
                                int x, int y) { ImageMouseDown(sender, button, shift, x, y); };
}

void TNormalDrag::Unhook(forms::TImage* image)
{
    image->OnMouseDown = previous_;
}

void TNormalDrag::ImageMouseDown(forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift,
                                 int x, int y)
{
    if (button == forms::mbLeft) {
        ReleaseCapture();
        // The system moves the form as if its caption were dragged; returns when the button is up.
        SendMessageW(GetForm()->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    // A copy: the handler may replace the image's handlers.
    if (forms::TMouseEvent previous = previous_)
        previous(sender, button, shift, x, y);
}

TShapedFormMaker::TShapedFormMaker() : watch_(std::make_unique<Watch>(*this)) {}

TShapedFormMaker::~TShapedFormMaker()
{
    // The form's window procedure and the image's handler point into this maker: give them back.
    if (drag_ && image_)
        drag_->Detach();
    if (m_form && previousWindowProc_)
        m_form->WindowProc = previousWindowProc_;
}

bool TShapedFormMaker::Attach(forms::TImage* image)
{
    FORMS_ASSERT(!IsAttached());
    if (!image)
        return false;
    forms::TForm* form = nullptr;
    for (forms::TWinControl* parent = image->Parent(); parent && !form; parent = parent->Parent())
        form = dynamic_cast<forms::TForm*>(parent);
    if (!form)
        return false;

    m_form = form;
    image_ = image;
    watch_->FreeNotification(form);
    watch_->FreeNotification(image);
    PrepareForm();

    forms::TBitmap& picture = image->Picture().Bitmap();
    picture.SetPixelFormat(forms::pf32bit);
    picture.SetTransparentMode(forms::tmAuto);
    SetTransparentColor(picture.TransparentColor());

    if (draggable_)
        EnableDrag();

    previousWindowProc_ = form->WindowProc;
    form->WindowProc = [this](forms::TMessage& message) { FormWindowProc(message); };

    ApplyShape(form, image);
    return true;
}

void TShapedFormMaker::PrepareForm()
{
    m_form->SetControlStyle(m_form->ControlStyle() | forms::csOpaque);
    if (m_form->BorderStyle() != forms::bsNone)
        forms::ShowMessageBox(nullptr, L"BorderStyle is not set to bsNone", m_form->Name(), MB_OK);
    if (m_form->Scaled()) {
        forms::ShowMessageBox(nullptr, L"Scaled is not set to false", m_form->Name(), MB_OK);
        FORMS_ASSERT_FAILED("m_form->Scaled == false");
    }
    image_->SetAutoSize(true);
    m_form->SetClientWidth(image_->Width());
    m_form->SetClientHeight(image_->Height());
}

void TShapedFormMaker::Refresh()
{
    if (!IsAttached())
        return;
    PrepareForm();
    ApplyShape(m_form, image_);
}

void TShapedFormMaker::SetDraggable(bool draggable)
{
    if (draggable == draggable_)
        return;
    draggable_ = draggable;
    if (!IsAttached())
        return;
    if (draggable)
        EnableDrag();
    else
        DisableDrag();
}

void TShapedFormMaker::EnableDrag()
{
    if (!drag_)
        drag_ = std::make_unique<TNormalDrag>();
    drag_->Attach(m_form, image_);
}

void TShapedFormMaker::DisableDrag()
{
    if (drag_)
        drag_->Detach();
}

void TShapedFormMaker::FormWindowProc(forms::TMessage& message)
{
    // The picture covers the whole form: erasing first would only flicker.
    if (message.Msg == WM_ERASEBKGND) {
        message.Result = 1;
        return;
    }
    previousWindowProc_(message);
}

void TShapedFormMaker::Forget(forms::TComponent* component)
{
    if (component == image_) {
        // The image takes its handlers with it; the delegate must not unhook it later.
        drag_.reset();
        image_ = nullptr;
    }
    if (component == m_form) {
        m_form = nullptr;
        previousWindowProc_ = nullptr;
    }
}

TPerPixelLayeredFormMaker::TPerPixelLayeredFormMaker()
    : layered_(std::make_unique<TPerPixelLayeredWindowMaker>())
{
    layered_->SetColorKeyEnabled(true);
}

TPerPixelLayeredFormMaker::~TPerPixelLayeredFormMaker() = default;

void TPerPixelLayeredFormMaker::ApplyShape(forms::TForm* form, forms::TImage* image)
{
    form->SetColor(GetTransparentColor());
    layered_->Apply(form, &image->Picture().Bitmap());
}

void TPerPixelLayeredFormMaker::RemoveShape(forms::TForm* form)
{
    layered_->Remove(form);
}

void TPerPixelLayeredFormMaker::Reapply()
{
    if (IsAttached())
        ApplyShape(GetForm(), GetImage());
}

void TPerPixelLayeredFormMaker::SetTransparentColor(forms::TColor color)
{
    if (color == layered_->GetColorKey())
        return;
    layered_->SetColorKey(color);
    Reapply();
}

forms::TColor TPerPixelLayeredFormMaker::GetTransparentColor() const
{
    return layered_->GetColorKey();
}

void TPerPixelLayeredFormMaker::SetColorKeyEnabled(bool enabled)
{
    if (enabled == layered_->GetColorKeyEnabled())
        return;
    layered_->SetColorKeyEnabled(enabled);
    Reapply();
}

void TPerPixelLayeredFormMaker::SetClickThrough(bool clickThrough)
{
    if (clickThrough == layered_->GetClickThrough())
        return;
    layered_->SetClickThrough(clickThrough);
    Reapply();
}

void TPerPixelLayeredFormMaker::SetUseConstantAlpha(bool use)
{
    if (use == layered_->GetUseConstantAlpha())
        return;
    layered_->SetUseConstantAlpha(use);
    Reapply();
}

void TPerPixelLayeredFormMaker::SetAlpha(std::uint8_t alpha)
{
    if (alpha == layered_->GetAlpha())
        return;
    layered_->SetAlpha(alpha);
    Reapply();
}

void TPerPixelLayeredFormMaker::SetPerPixelAlpha(bool allowed)
{
    if (allowed == layered_->GetPerPixelAlpha())
        return;
    layered_->SetPerPixelAlpha(allowed);
    Reapply();
}

} // namespace gs
