#pragma once

#include "KeyAssigner.h"
#include "KeyPage.h"

#include <cstddef>
#include <string>

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsCheckBox;
class GsImage;
}
class CImageEditBase;
class TfmZavadOva;
struct TypedTexts;

// The Smart Input page: the text a key types, one text or two joined by a TAB, 50 printable
// ASCII characters in all, applied only while the user agrees to the notice about storing it.
class TypingWordsScene : public KeyPage {
public:
    TypingWordsScene(forms::TComponent* owner, forms::TBitmap* bitmap);

    void SetVisible(bool show) override;
    // Shows the stored texts of the selected key (a key of type 2).
    void LoadCurrentKey();
    void ClearFields();

    gs::GsImage* WarningImage = nullptr;
    forms::TLabel* FirstWordsLeftLabel = nullptr;
    forms::TLabel* SecondWordsLeftLabel = nullptr;
    forms::TLabel* NoticeTitleLabel = nullptr;
    forms::TLabel* NoticeLabel = nullptr;
    forms::TLabel* AgreeLabel = nullptr;
    gs::GsButton* ApplyButton = nullptr;
    CImageEditBase* FirstTextEdit = nullptr;
    CImageEditBase* SecondTextEdit = nullptr;
    gs::GsCheckBox* SecondTextToggle = nullptr;
    gs::GsCheckBox* AgreeBox = nullptr;

private:
    CImageEditBase* MakeTextEdit(int top);
    // Everything but the second text and its words-left label.
    void SetPageControlsVisible(bool show);
    void OnClick(forms::TObject* sender);
    void OnTextKeyPress(forms::TObject* sender, wchar_t& key);
    void OnTextChange(forms::TObject* sender);
    void OnTextEnter(forms::TObject* sender);
    void AgreeClicked();
    // The words-left caption for `count` characters in both texts, and the left edge that ends
    // it near the fields' right edge.
    std::pair<std::wstring, int> FormatWordsLeftCount(std::size_t count) const;
    void SetWordsLeft(forms::TLabel* label, std::size_t count) const;
    // Both texts at once: the second is emptied first, so the first keeps its whole budget.
    void SetTexts(const TypedTexts& texts);
    std::size_t BothLengths() const;
    bool WriteFunCfg(int n, const std::wstring& name) const;

    TfmZavadOva* form_;
    KeyAssigner assigner_;
};
