#pragma once

// The skinned popup in which the user saves the key configuration as a named profile (Save mode)
// or picks a stored profile to load (Load mode), and deletes profiles in either mode. Loading only
// records the target and broadcasts the request; the main window applies it.

#include <memory>
#include <string>

#include "forms/Bitmap.h"
#include "forms/Edit.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/ListBox.h"

#include "TastroProfileManager.h"

namespace gs {
class GsButton;
class GsImage;
class GsLabel;
}

class TfrmProfileBox : public forms::TForm {
public:
    static constexpr int kSaveMode = 0;
    static constexpr int kLoadMode = 1;

    explicit TfrmProfileBox(forms::TComponent* owner);
    ~TfrmProfileBox() override;

    // Before each ShowModal: remembers the program folder, makes the profile store for it, lays the
    // box out for `mode` (kSaveMode or kLoadMode) and fills the list.
    void PrepareProfileBox(int mode, const std::wstring& folder);

    forms::TListBox* lsList = nullptr;
    forms::TEdit* edNew = nullptr;

    forms::TImage* Background = nullptr;
    std::unique_ptr<forms::TBitmap> SaveBackground;
    std::unique_ptr<forms::TBitmap> LoadBackground;
    gs::GsButton* CancelButton = nullptr;
    gs::GsButton* DeleteButton = nullptr;
    gs::GsButton* ActionButton = nullptr;
    gs::GsButton* CloseButton = nullptr;
    gs::GsImage* TypingBox = nullptr;
    gs::GsImage* ListFrame = nullptr;
    gs::GsLabel* TitleLabel = nullptr;
    gs::GsLabel* FolderLabel = nullptr;
    std::unique_ptr<TastroProfileManager> Manager;
    std::wstring Folder;

protected:
    void CreateParams(forms::TCreateParams& params) override;

private:
    void Layout(int mode);
    void FillList();
    // Disables the action and Delete buttons once the list is empty.
    void DisableButtonsWhenEmpty();
    // A warning box owned by the box.
    void Warn(const std::wstring& text);

    void FormShow(forms::TObject* sender);
    void lsListClick(forms::TObject* sender);
    void edNewChange(forms::TObject* sender);
    void lsListDrawItem(forms::TWinControl* control, int index, forms::TRect rect, forms::TOwnerDrawState state);
    void SaveClick(forms::TObject* sender);
    void LoadClick(forms::TObject* sender);
    void DeleteClick(forms::TObject* sender);
    void CloseClick(forms::TObject* sender);
    void BackgroundMouseDown(forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift, int x,
                             int y);
};

// The application's one profile box, made at start-up and reused for every opening.
extern TfrmProfileBox* frmProfileBox;
