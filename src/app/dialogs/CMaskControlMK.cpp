#include "CMaskControlMK.h"

CMaskControlMK* CMaskControlMK::GetInstance()
{
    static CMaskControlMK* instance = new CMaskControlMK();
    return instance;
}

void CMaskControlMK::Show(forms::TComponent* component)
{
    if (auto* form = dynamic_cast<forms::TForm*>(component))
        control_.Show(form);
}
