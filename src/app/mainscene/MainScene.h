#pragma once

#include "DIPScene.h"
#include "EcBuffer.h"
#include "forms/Types.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace forms {
class TLabel;
}
namespace gs {
class GsButton;
class GsCheckBox;
class GsRadioButton;
}
class CombinedKeyScene;
class FunKeyScene;
class ShortcutScene;
class TConfirmDlg;
class TfmZavadOva;
class TypingWordsScene;
struct _FunData;

// The key button the user selected last (null until the first click); its tag is 100 + n for
// key Fn. The key pages assign to and show this key.
extern gs::GsRadioButton* SelectedKeyButton;
// The tab clicked last.
extern gs::GsRadioButton* CurrentTabButton;
// The last mouse move or press on a key button was inside that button's delete mark.
extern bool DeleteMarkActive;

// Tags: key buttons 101..110 (group 1), tabs 201..204 (group 2).
constexpr int kKeyButtonTagBase = 100;
constexpr int kTabTagBase = 200;
constexpr int kKeyButtonGroup = 1;
constexpr int kTabGroup = 2;

// The key number 1..10 of the selected key button, or nothing.
std::optional<int> SelectedKeyNumber();
// The record of the selected key, or null. Look it up again after anything that runs a message
// loop: applying a profile re-creates the records.
_FunData* SelectedKeyRecord();

// True for a point of a key button's delete mark, in the button's own coordinates.
bool IsInDeleteMark(int buttonWidth, int x, int y) noexcept;

// The scene that fills the main window: the four tabs and their pages, the key buttons F1..F10,
// the ON/OFF switch, Load, Save, the two clean buttons, close, the memory-profile picture and the
// version text. It is the hub between the main window's messages and the key pages.
class MainScene : public DIPScene {
public:
    MainScene(forms::TComponent* owner, forms::TBitmap* bitmap, TfmZavadOva* form);
    ~MainScene() override;

    // Shows the current page's scene and the scene's own controls (neither holds any).
    void Show() override;

    FunKeyScene* GetFunKeyScene();
    ShortcutScene* GetShortcutScene();
    TypingWordsScene* GetTypingWordsScene();
    CombinedKeyScene* GetCombinedKeyScene();

    gs::GsRadioButton* CreateKeyButton(int x, int y, int tag, int groupIndex);
    // Draws key button n again from its record.
    void RefreshKeyButton(int n, gs::GsRadioButton* button);
    gs::GsRadioButton* KeyButton(int n) const;

    // The commands.
    void OnButtonClick(forms::TObject* sender);
    void OnKeyMouseMove(forms::TObject* sender, forms::TShiftState shift, int x, int y);
    void OnKeyMouseDown(forms::TObject* sender, forms::TMouseButton button, forms::TShiftState shift, int x, int y);
    void SwitchTab(int k);
    // Rebuilds and writes the key table, then shows the page of the selected key's type.
    void OnFunKeyChanged();
    // The switch and the tray's "On" from the stored switch and the guard.
    void UpdateSwitch();
    // Dims the window and tells the user that a switch change could not be stored.
    void WarnSettingNotSaved();
    void UpdateCleanButton();

    // Forwarded to the Macro Keys page.
    void CloseEditDialog();
    // A hook word of MKM_HOOK_KEY.
    void OnHookKey(std::uint32_t word);

    // The load request: the target profile over fun.cfg, every key read and drawn again, and
    // the key table written.
    void ApplyTargetProfile();

private:
    template <class Page>
    Page* GetPage(Page*& page);
    void CreatePages();
    void CreateTabs();
    void CreateButtons();
    void CreateSwitchButton();
    void CreateKeyButtons();
    void CreateBackground();
    void CreateVersionLabel();
    // A key face picture of resource\radiobutton\, read once: every key is drawn from the same six.
    forms::TBitmap& KeyPicture(const std::wstring& file);
    // Composes key n's faces into its record's image cache; false when the key has no record.
    bool ComposeFaces(int n, forms::TPoint origin, int& leftMargin);
    void KeyCommand(gs::GsRadioButton* button);
    void ClearPages();
    void CleanAll();
    void OpenProfileBox(int mode);
    void SwitchClicked();
    // Dims the main window, asks, and returns true for a confirmation; the caller undims.
    bool Confirm(const wchar_t* title, const wchar_t* message, const wchar_t* yes, const wchar_t* no);
    // Tells the user that fun.cfg kept a key that a command was to clear.
    void WarnFunCfgUnchanged();
    // The warning box with one OK button; the caller dims the window.
    void Warn(const wchar_t* message);
    void SetDeleteMarkFace(gs::GsRadioButton* button, bool inside, bool pressed);
    KeyResetObservers PageObservers();

    FunKeyScene* FunKeyPage = nullptr;
    ShortcutScene* ShortcutPage = nullptr;
    TypingWordsScene* TypingWordsPage = nullptr;
    CombinedKeyScene* CombinedKeyPage = nullptr;
    TfmZavadOva* MainForm;
    DIPScene* CurrentPage = nullptr;
    // The page SwitchTab showed last; the Macro Keys page at the start.
    int ShownTab = 1;
    TConfirmDlg* ConfirmDialog = nullptr;
    forms::TLabel* VersionLabel = nullptr;
    gs::GsCheckBox* SwitchBox = nullptr;
    std::array<gs::GsRadioButton*, 10> KeyButtons{};
    std::array<gs::GsRadioButton*, 4> TabButtons{};
    gs::GsButton* CloseButton = nullptr;
    gs::GsButton* CleanAllButton = nullptr;
    gs::GsButton* ClearPagesButton = nullptr;
    gs::GsButton* LoadButton = nullptr;
    gs::GsButton* SaveButton = nullptr;
    gs::GsButton* MemoryProfileButton = nullptr;
    // The pages' shared copy of the scene bitmap.
    std::unique_ptr<forms::TBitmap> pageBitmap_;
    std::map<std::wstring, std::unique_ptr<forms::TBitmap>> keyPictures_;
};
