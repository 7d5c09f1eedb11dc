#pragma once

// The caption margins of a skinned button.

#include "forms/Object.h"
#include "forms/Types.h"

namespace gs {

class GsTextMargins : public forms::TPersistent {
public:
    GsTextMargins() = default;

    int Left() const { return left_; }
    int Right() const { return right_; }
    int Top() const { return top_; }
    int Bottom() const { return bottom_; }
    // Every write reports a change, also when the value stays the same.
    void SetLeft(int value);
    void SetRight(int value);
    void SetTop(int value);
    void SetBottom(int value);

    // Called with the margins as sender after each change; unset by default.
    forms::TNotifyEvent OnChange;

protected:
    void AssignTo(forms::TPersistent* dest) override;
    void Changed();

private:
    int left_ = 0;
    int right_ = 0;
    int top_ = 0;
    int bottom_ = 0;
};

}  // namespace gs
