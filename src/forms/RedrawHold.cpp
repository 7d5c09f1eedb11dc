#include "forms/RedrawHold.h"

#include "forms/GdiHandles.h"
#include "forms/WinControl.h"

#include <algorithm>

namespace forms {

namespace {

void AddRect(HRGN region, const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    const RegionHandle part(CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom));
    CombineRgn(region, region, part.Get(), RGN_OR);
}

} // namespace

RedrawHold::RedrawHold(TWinControl& parent) : parent_(parent)
{
    if (!parent.HandleAllocated() || !IsWindowVisible(parent.Handle()))
        return;
    window_ = parent.Handle();
    before_ = States();
    // Turning the drawing off drops what is still to be drawn: it is drawn after the hold.
    pending_.Reset(CreateRectRgn(0, 0, 0, 0));
    if (pending_ && GetUpdateRgn(window_, pending_.Get(), FALSE) != ERROR) {
        for (const ControlState& state : before_)
            if (auto* windowed = dynamic_cast<TWinControl*>(state.control);
                windowed && windowed->HandleAllocated() && GetUpdateRect(windowed->Handle(), nullptr, FALSE))
                AddRect(pending_.Get(), state.bounds);
    } else {
        RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
}

RedrawHold::~RedrawHold()
{
    if (!window_ || !IsWindow(window_))
        return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    const RegionHandle changed(CreateRectRgn(0, 0, 0, 0));
    if (!changed)
        return;
    if (pending_)
        CombineRgn(changed.Get(), changed.Get(), pending_.Get(), RGN_OR);
    const std::vector<ControlState> after = States();
    const auto findIn = [](const std::vector<ControlState>& states, const TControl* control) {
        return std::find_if(states.begin(), states.end(), [&](const ControlState& s) { return s.control == control; });
    };
    for (const ControlState& old : before_) {
        const auto now = findIn(after, old.control);
        if (now == after.end()) {
            if (old.visible)
                AddRect(changed.Get(), old.bounds);
        } else if (now->visible != old.visible || (now->visible && (now->enabled != old.enabled ||
                                                                     now->bounds != old.bounds))) {
            if (old.visible)
                AddRect(changed.Get(), old.bounds);
            if (now->visible)
                AddRect(changed.Get(), now->bounds);
        }
    }
    for (const ControlState& now : after)
        if (now.visible && findIn(before_, now.control) == before_.end())
            AddRect(changed.Get(), now.bounds);
    RedrawWindow(window_, nullptr, changed.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::vector<RedrawHold::ControlState> RedrawHold::States() const
{
    std::vector<ControlState> states;
    states.reserve(static_cast<std::size_t>(parent_.ControlCount()));
    for (int i = 0; i < parent_.ControlCount(); ++i) {
        TControl* control = parent_.Controls(i);
        states.push_back({control, control->Visible(), control->Enabled(), control->BoundsRect()});
    }
    return states;
}

} // namespace forms
