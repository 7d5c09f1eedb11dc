#pragma once

// The system's file-open dialog (the item dialog; the older common dialogs where it is missing).

#include <windows.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "forms/Component.h"

namespace forms {

// The item dialog's option bits (FOS_*), under the names the program uses.
enum TFileDialogOption : unsigned {
    fdoOverWritePrompt = FOS_OVERWRITEPROMPT,
    fdoStrictFileTypes = FOS_STRICTFILETYPES,
    fdoNoChangeDir = FOS_NOCHANGEDIR,
    fdoPickFolders = FOS_PICKFOLDERS,
    fdoForceFileSystem = FOS_FORCEFILESYSTEM,
    fdoAllowMultiSelect = FOS_ALLOWMULTISELECT,
    fdoPathMustExist = FOS_PATHMUSTEXIST,
    fdoFileMustExist = FOS_FILEMUSTEXIST,
    fdoNoDereferenceLinks = FOS_NODEREFERENCELINKS,
    fdoDontAddToRecent = FOS_DONTADDTORECENT,
    fdoForceShowHidden = FOS_FORCESHOWHIDDEN,
};
using TFileDialogOptions = unsigned;

struct TFileTypeItem {
    std::wstring DisplayName;
    std::wstring FileMask;
};

class TFileTypeItems {
public:
    TFileTypeItem& Add(const std::wstring& displayName = L"", const std::wstring& fileMask = L"");
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    TFileTypeItem& operator[](int index) { return items_.at(static_cast<size_t>(index)); }
    const std::vector<TFileTypeItem>& Items() const { return items_; }

private:
    std::vector<TFileTypeItem> items_;
};

class TFileOpenDialog : public TComponent {
public:
    explicit TFileOpenDialog(TComponent* owner);

    TFileDialogOptions Options() const { return options_; }
    void SetOptions(TFileDialogOptions options) { options_ = options; }
    // Offered when picking files (ignored when picking folders).
    TFileTypeItems& FileTypes() { return fileTypes_; }
    const std::wstring& Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    const std::wstring& DefaultFolder() const { return defaultFolder_; }
    void SetDefaultFolder(const std::wstring& folder) { defaultFolder_ = folder; }

    // Runs the dialog modally; true with FileName set when the user chose, false when cancelled.
    bool Execute(HWND owner = nullptr);
    const std::wstring& FileName() const { return fileName_; }

private:
    bool ExecuteItemDialog(HWND owner, bool& ran);
    bool ExecuteCommonDialog(HWND owner);

    TFileDialogOptions options_ = 0;
    TFileTypeItems fileTypes_;
    std::wstring title_;
    std::wstring defaultFolder_;
    std::wstring fileName_;
};

}  // namespace forms
