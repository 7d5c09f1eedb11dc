#pragma once

#include "KeyPage.h"

// The Smart Input page: the text a key types.
class TypingWordsScene : public KeyPage {
public:
    using KeyPage::KeyPage;

    void SetVisible(bool show) override;
    // Shows the stored texts of the selected key (a key of type 2).
    void LoadCurrentKey();
    void ClearFields();
};
