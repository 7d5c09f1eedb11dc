#pragma once

#include "KeyPage.h"

// The Shortcut page: the file or folder a key opens.
class ShortcutScene : public KeyPage {
public:
    using KeyPage::KeyPage;

    void SetVisible(bool show) override;
    // Shows the stored target of the selected key (a key of type 3).
    void LoadCurrentKey();
    void ClearFields();
};
