#pragma once

#include "DIPScene.h"
#include "KeyResetObserver.h"

// One of the four pages behind the main scene's tabs. The page's controls lie on the main form
// and are not in the scene's control list: the page shows and hides them only in SetVisible.
// The key-table assembly tells the page which key it encodes (OnKeyReset).
class KeyPage : public DIPScene, public KeyResetObserver {
public:
    using DIPScene::DIPScene;

    virtual void SetVisible(bool show) = 0;
    void OnKeyReset(int /*n*/) override {}
};
