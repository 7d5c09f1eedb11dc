#pragma once

// The glow settings of a GsLabel, published as one sub-object. It holds no values of its own: each
// property reads and writes the label's glow painter, and a change re-measures the label.

#include <cstdint>

#include "forms/Color.h"
#include "forms/Object.h"

namespace gs {

class GsLabel;

class GsRadiation : public forms::TPersistent {
public:
    explicit GsRadiation(GsLabel& owner) : owner_(owner) {}

    std::uint8_t Opacity() const;
    void SetOpacity(std::uint8_t value);
    unsigned Radius() const;
    void SetRadius(unsigned value);
    std::uint8_t Spread() const;
    void SetSpread(std::uint8_t value);
    forms::TColor Color() const;
    void SetColor(forms::TColor value);
    int X() const;
    void SetX(int value);
    int Y() const;
    void SetY(int value);

    // Re-measures the label (unless it is being read from a form layout).
    void Changed();

protected:
    void AssignTo(forms::TPersistent* dest) override;

private:
    GsLabel& owner_;
};

}  // namespace gs
