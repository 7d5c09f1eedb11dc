#pragma once

#include "KeyPage.h"

// The Function Keys page: the built-in functions a key can be given.
class FunKeyScene : public KeyPage {
public:
    // Loads the function table.
    FunKeyScene(forms::TComponent* owner, forms::TBitmap* bitmap);

    void SetVisible(bool show) override;
    // Checks the function of the selected key (a key of type 4).
    void SelectCurrent();
    void UncheckAll();
};
