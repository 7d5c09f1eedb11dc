#include "gui/controls/GsCtrlTextEffect.h"

namespace gs {

void GsCtrlTextEffect::EffectChanged(forms::TObject*)
{
    if (onChange_)
        onChange_(this);
}

}  // namespace gs
