#include "forms/Color.h"

namespace forms {

namespace {

SysColorSource& Source()
{
    static SysColorSource source;
    return source;
}

}  // namespace

COLORREF ColorToRGB(TColor color)
{
    if (!IsSystemColor(color))
        return color;
    const int index = static_cast<int>(color & 0xFF);
    return Source() ? Source()(index) : GetSysColor(index);
}

SysColorSource SetSysColorSource(SysColorSource source)
{
    SysColorSource previous = std::move(Source());
    Source() = std::move(source);
    return previous;
}

}  // namespace forms
