#include "forms/FileDialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "forms/Application.h"

namespace forms {

namespace {

// Owns one COM interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }
    T** Out() { return &pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};

// COM for the lifetime of one dialog run, when the thread has not started it already.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

class CoTaskString {
public:
    ~CoTaskString() { CoTaskMemFree(text_); }
    PWSTR* Out() { return &text_; }
    const wchar_t* Get() const { return text_ ? text_ : L""; }

private:
    PWSTR text_ = nullptr;
};

}  // namespace

TFileTypeItem& TFileTypeItems::Add(const std::wstring& displayName, const std::wstring& fileMask)
{
    items_.push_back({displayName, fileMask});
    return items_.back();
}

TFileOpenDialog::TFileOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TFileOpenDialog::Execute(HWND owner)
{
    if (!owner)
        owner = Application().ActiveWindow();
    ComScope com;
    bool ran = false;
    const bool chosen = ExecuteItemDialog(owner, ran);
    if (ran)
        return chosen;
    return ExecuteCommonDialog(owner);
}

bool TFileOpenDialog::ExecuteItemDialog(HWND owner, bool& ran)
{
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                reinterpret_cast<void**>(dialog.Out()))))
        return false;
    FILEOPENDIALOGOPTIONS current = 0;
    dialog->GetOptions(&current);
    if (FAILED(dialog->SetOptions(current | options_)))
        return false;
    std::vector<COMDLG_FILTERSPEC> filters;
    if (!(options_ & fdoPickFolders)) {
        for (const TFileTypeItem& item : fileTypes_.Items())
            filters.push_back({item.DisplayName.c_str(), item.FileMask.c_str()});
        if (!filters.empty())
            dialog->SetFileTypes(static_cast<UINT>(filters.size()), filters.data());
    }
    if (!title_.empty())
        dialog->SetTitle(title_.c_str());
    if (!defaultFolder_.empty()) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(defaultFolder_.c_str(), nullptr, IID_IShellItem,
                                                  reinterpret_cast<void**>(folder.Out()))))
            dialog->SetFolder(folder.operator->());
    }
    ran = true;
    if (FAILED(dialog->Show(owner)))
        return false;
    ComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(result.Out())))
        return false;
    CoTaskString path;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, path.Out())))
        return false;
    fileName_ = path.Get();
    return true;
}

bool TFileOpenDialog::ExecuteCommonDialog(HWND owner)
{
    if (options_ & fdoPickFolders) {
        BROWSEINFOW info{};
        info.hwndOwner = owner;
        info.lpszTitle = title_.empty() ? nullptr : title_.c_str();
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
        const PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
        if (!chosen)
            return false;
        wchar_t path[MAX_PATH] = {};
        const bool ok = SHGetPathFromIDListW(chosen, path) != FALSE;
        CoTaskMemFree(chosen);
        if (ok)
            fileName_ = path;
        return ok;
    }
    // "Name\0mask\0...\0\0"
    std::wstring filter;
    for (const TFileTypeItem& item : fileTypes_.Items()) {
        filter += item.DisplayName;
        filter += L'\0';
        filter += item.FileMask;
        filter += L'\0';
    }
    filter += L'\0';
    std::vector<wchar_t> buffer(32768, L'\0');
    OPENFILENAMEW info{};
    info.lStructSize = sizeof(info);
    info.hwndOwner = owner;
    info.lpstrFilter = fileTypes_.Count() > 0 ? filter.c_str() : nullptr;
    info.lpstrFile = buffer.data();
    info.nMaxFile = static_cast<DWORD>(buffer.size());
    info.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    info.lpstrInitialDir = defaultFolder_.empty() ? nullptr : defaultFolder_.c_str();
    info.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (options_ & fdoFileMustExist)
        info.Flags |= OFN_FILEMUSTEXIST;
    if (options_ & fdoPathMustExist)
        info.Flags |= OFN_PATHMUSTEXIST;
    if (!GetOpenFileNameW(&info))
        return false;
    fileName_ = buffer.data();
    return true;
}

}  // namespace forms
