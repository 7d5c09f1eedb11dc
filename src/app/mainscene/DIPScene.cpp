#include "DIPScene.h"

#include "forms/Bitmap.h"
#include "forms/Control.h"
#include "forms/GdiHandles.h"

#include <utility>

DIPScene::DIPScene(forms::TComponent* owner, forms::TBitmap* bitmap)
    : owner_(owner)
{
    DIPScene::SetBitmap(bitmap);
}

DIPScene::~DIPScene()
{
    for (forms::TControl*& control : controls)
        delete std::exchange(control, nullptr);
    controls.clear();
    children.clear();
}

void DIPScene::Show()
{
    ShowControls();
    ShowChildren();
}

void DIPScene::Hide()
{
    HideControls();
    HideChildren();
}

void DIPScene::Paint(forms::TBitmap* bitmap, bool drawSelf, bool passThrough)
{
    if (drawSelf)
        PaintSelf(bitmap, passThrough);
    for (const auto& child : children)
        child->Paint(bitmap, drawSelf, passThrough);
}

void DIPScene::NotifyChildren()
{
    for (const auto& child : children)
        child->NotifyChildren();
}

void DIPScene::SetBitmap(forms::TBitmap* bitmap)
{
    for (const auto& child : children)
        child->SetBitmap(bitmap);
    bitmap_ = bitmap;
}

void DIPScene::SetLeft(int left)
{
    for (const auto& child : children)
        child->SetLeft(left + child->Left() - left_);
    for (forms::TControl* control : controls)
        if (control)
            control->SetLeft(left + control->Left() - left_);
    left_ = left;
}

void DIPScene::SetTop(int top)
{
    for (const auto& child : children)
        child->SetTop(top + child->Top() - top_);
    for (forms::TControl* control : controls)
        if (control)
            control->SetTop(top + control->Top() - top_);
    top_ = top;
}

void DIPScene::SetOwner(forms::TComponent* owner)
{
    owner_ = owner;
}

void DIPScene::ShowControls()
{
    for (forms::TControl* control : controls)
        if (control)
            control->Show();
}

void DIPScene::HideControls()
{
    for (forms::TControl* control : controls)
        if (control)
            control->Hide();
}

void DIPScene::ShowChildren()
{
    for (const auto& child : children)
        child->Show();
}

void DIPScene::HideChildren()
{
    for (const auto& child : children)
        child->Hide();
}

void DIPScene::PaintSelf(forms::TBitmap* bitmap, bool /*passThrough*/)
{
    if (bitmap == nullptr)
        return;
    const HDC dc = bitmap->Canvas().Handle();
    forms::RegionHandle saved(CreateRectRgn(0, 0, 0, 0));
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    const bool clipped = GetClipRgn(dc, saved.Get()) > 0;
    {
        const forms::RegionHandle scene(CreateRectRgn(left_, top_, left_ + bitmap->Width(), top_ + bitmap->Height()));
        if (clipped)
            ExtSelectClipRgn(dc, scene.Get(), RGN_AND);
        else
            SelectClipRgn(dc, scene.Get());
        SetViewportOrgEx(dc, left_, top_, nullptr);
        // The base scene draws nothing of its own here.
    }
    SelectClipRgn(dc, clipped ? saved.Get() : nullptr);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}
