#pragma once

// Assigns the selected key from a key page: the Apply of every key page runs through it.
//
// A page keeps one KeyAssigner, made in its constructor with the main form (the main window is
// looked up then), and on Apply calls Assign with its request and its writer:
//
//     const KeyAssignOutcome outcome = assigner_.Assign(
//         {defaultName, KeyNameField::StoredName, /*dimWarning=*/true, /*trimName=*/true},
//         [this](int n, const std::wstring& name) { return WriteMyKey(n, name); });
//
// Without a selected key it warns "You need select fun key." (over the dimmed main window when
// dimWarning is set) and writes nothing. Otherwise it dims the main window and asks for the name
// in the rename dialog: title "Fn", the default name cut to 20 characters as the message, and in
// the name field that cut default name or, for KeyNameField::StoredName, the key's stored
// DisplayName when the key is assigned. On OK the writer gets the key number and the name (the
// field's text, or the cut default name when the field is empty; line breaks dropped, at most 63
// characters, blanks trimmed when trimName is set). The writer writes section Fn of fun.cfg and
// the key's record, both or neither, returns true when it did, and looks the record up by n
// itself (records are re-created while dialogs run). After a successful write the main window
// gets sub-code 1258 with n, 1000 ms later sub-code 1254 with n, both sent and handled before
// Assign returns; after a failed one the user is told and nothing is sent. The dim goes in every
// case. ConfirmDialog and Warn serve the page's own warnings.

#include "forms/Form.h"

#include <windows.h>

#include <functional>
#include <string>

class TConfirmDlg;
class TRenameDlg;

// What the rename dialog's name field starts with.
enum class KeyNameField {
    // The default name, always.
    DefaultName,
    // The key's stored DisplayName while the key is assigned, else the default name.
    StoredName,
};

struct KeyAssignRequest {
    std::wstring defaultName;
    KeyNameField nameField = KeyNameField::StoredName;
    // The warning without a selected key dims the main window.
    bool dimWarning = true;
    // Blanks are trimmed from both ends of the chosen name.
    bool trimName = false;
};

enum class KeyAssignOutcome { NoKeySelected, Cancelled, WriteFailed, Written };

// Writes key n (1..10) with the display name; true when fun.cfg and the record both took it.
using KeyWriter = std::function<bool(int n, const std::wstring& name)>;

// The rename dialog's two texts before it runs.
struct RenameTexts {
    std::wstring message;
    std::wstring nameField;
};
RenameTexts RenameDialogTexts(const std::wstring& defaultName, KeyNameField field, int storedType,
                              const std::wstring& storedName);

// The name a key gets from the dialog's name field and message, ready for fun.cfg and the record.
std::wstring ChosenKeyName(const std::wstring& nameField, const std::wstring& message, bool trim);

class KeyAssigner {
public:
    explicit KeyAssigner(forms::TForm* mainForm);
    KeyAssigner(const KeyAssigner&) = delete;
    KeyAssigner& operator=(const KeyAssigner&) = delete;

    KeyAssignOutcome Assign(const KeyAssignRequest& request, const KeyWriter& writer);

    // Made on first use, owned by the main form.
    TConfirmDlg* ConfirmDialog();
    // A warning with one button; the main window is dimmed meanwhile when `dim` is set.
    void Warn(const std::wstring& message, const std::wstring& button, bool dim);

private:
    TRenameDlg* RenameDialog();
    // 1258 with n, 1000 ms, 1254 with n.
    void NotifyKeyChanged(int n) const;

    forms::TForm* mainForm_;
    HWND mainWindow_;
    TRenameDlg* renameDialog_ = nullptr;
    TConfirmDlg* confirmDialog_ = nullptr;
};
