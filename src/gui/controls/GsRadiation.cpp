#include "gui/controls/GsRadiation.h"

#include "gui/controls/GsLabel.h"
#include "gui/controls/StoreChanged.h"

namespace gs {

std::uint8_t GsRadiation::Opacity() const
{
    return owner_.GlowPainter().Opacity;
}

void GsRadiation::SetOpacity(std::uint8_t value)
{
    if (StoreChanged(owner_.GlowPainter().Opacity, value))
        Changed();
}

unsigned GsRadiation::Radius() const
{
    return static_cast<unsigned>(owner_.GlowPainter().Radius);
}

void GsRadiation::SetRadius(unsigned value)
{
    if (StoreChanged(owner_.GlowPainter().Radius, value))
        Changed();
}

std::uint8_t GsRadiation::Spread() const
{
    return owner_.GlowPainter().Spread;
}

void GsRadiation::SetSpread(std::uint8_t value)
{
    if (StoreChanged(owner_.GlowPainter().Spread, value))
        Changed();
}

forms::TColor GsRadiation::Color() const
{
    return owner_.GlowPainter().Color;
}

void GsRadiation::SetColor(forms::TColor value)
{
    if (StoreChanged(owner_.GlowPainter().Color, value))
        Changed();
}

int GsRadiation::X() const
{
    return owner_.GlowPainter().RadiationX;
}

void GsRadiation::SetX(int value)
{
    if (StoreChanged(owner_.GlowPainter().RadiationX, value))
        Changed();
}

int GsRadiation::Y() const
{
    return owner_.GlowPainter().RadiationY;
}

void GsRadiation::SetY(int value)
{
    if (StoreChanged(owner_.GlowPainter().RadiationY, value))
        Changed();
}

void GsRadiation::Changed()
{
    if (!(owner_.ComponentState() & forms::csReading))
        owner_.RadiationChanged();
}

void GsRadiation::AssignTo(forms::TPersistent* dest)
{
    auto* to = forms::As<GsRadiation>(dest);
    const TOuterGlowTextPainter& from = owner_.GlowPainter();
    TOuterGlowTextPainter& painter = to->owner_.GlowPainter();
    painter.Opacity = from.Opacity;
    painter.Radius = from.Radius;
    painter.Spread = from.Spread;
    painter.Color = from.Color;
    painter.RadiationX = from.RadiationX;
    painter.RadiationY = from.RadiationY;
    to->Changed();
}

}  // namespace gs
