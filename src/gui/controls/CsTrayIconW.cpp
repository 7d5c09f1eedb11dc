#include "gui/controls/CsTrayIconW.h"

#include <shlwapi.h>

#include <algorithm>
#include <cwchar>

namespace {

class ShellTray final : public TrayShell {
public:
    BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW& data) override
    {
        return Shell_NotifyIconW(message, &data);
    }
    std::uint64_t ShellVersion() override { return GetDllVersion(L"Shell32.dll"); }
};

// Copies at most `limit` characters and always terminates; the field holds limit + 1.
template <std::size_t N>
void CopyField(wchar_t (&field)[N], const std::wstring& text, std::size_t limit)
{
    static_assert(N > 0);
    const std::size_t count = std::min({text.size(), limit, N - 1});
    std::wmemcpy(field, text.data(), count);
    std::wmemset(field + count, L'\0', N - count);
}

} // namespace

TrayShell& SystemTrayShell()
{
    static ShellTray shell;
    return shell;
}

std::uint64_t GetDllVersion(const wchar_t* library)
{
    using DllGetVersionFn = HRESULT(WINAPI*)(DLLVERSIONINFO*);
    std::uint64_t version = 0;
    HMODULE module = LoadLibraryW(library);
    if (!module)
        return 0;
    auto getVersion = reinterpret_cast<DllGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info)))
            version = MakeDllVersion(info.dwMajorVersion, info.dwMinorVersion);
    }
    FreeLibrary(module);
    return version;
}

DWORD IconDataSizeForShellVersion(std::uint64_t version)
{
    if (version >= MakeDllVersion(6, 0))
        return NOTIFYICONDATAW_V3_SIZE;
    if (version >= MakeDllVersion(5, 0))
        return NOTIFYICONDATAW_V2_SIZE;
    return NOTIFYICONDATAW_V1_SIZE;
}

CsTrayIconW::CsTrayIconW(HWND window, UINT id, UINT callbackMessage, TrayShell& shell)
    : data_{}, shell_(shell)
{
    InitIconData();
    data_.hWnd = window;
    data_.uID = id;
    data_.uCallbackMessage = callbackMessage;
}

CsTrayIconW::~CsTrayIconW()
{
    if (added_)
        Delete();
}

void CsTrayIconW::InitIconData()
{
    data_.cbSize = IconDataSizeForShellVersion(shell_.ShellVersion());
}

void CsTrayIconW::PrepareFlags(bool showBalloon)
{
    data_.uFlags = NIF_MESSAGE;
    if (data_.hIcon)
        data_.uFlags |= NIF_ICON;
    if (data_.szTip[0] != L'\0')
        data_.uFlags |= NIF_TIP;
    // Always sent, so that a modify without a balloon takes down one that is showing.
    data_.uFlags |= NIF_INFO;
    CopyField(data_.szInfo, showBalloon ? balloonText_ : std::wstring(), kMaxInfo);
}

bool CsTrayIconW::Add()
{
    PrepareFlags(false);
    added_ = shell_.NotifyIcon(NIM_ADD, data_) == TRUE;
    return added_;
}

void CsTrayIconW::Delete()
{
    PrepareFlags(false);
    if (shell_.NotifyIcon(NIM_DELETE, data_))
        added_ = false;
}

void CsTrayIconW::Modify(bool showBalloon)
{
    if (!added_)
        return;
    PrepareFlags(showBalloon);
    shell_.NotifyIcon(NIM_MODIFY, data_);
}

void CsTrayIconW::SetVisible(bool visible)
{
    if (visible == added_)
        return;
    if (visible)
        Add();
    else
        Delete();
}

HICON CsTrayIconW::SetIcon(HICON icon)
{
    HICON previous = data_.hIcon;
    data_.hIcon = icon;
    return previous;
}

void CsTrayIconW::SetTip(const std::wstring& text)
{
    // A shell that only knows the first record layout reads 64 characters of the tip.
    const std::size_t limit = data_.cbSize <= NOTIFYICONDATAW_V1_SIZE ? 63 : kMaxTip;
    CopyField(data_.szTip, text, limit);
}

void CsTrayIconW::SetInfoTitle(const std::wstring& text)
{
    CopyField(data_.szInfoTitle, text, kMaxInfoTitle);
}

void CsTrayIconW::SetBalloonText(const wchar_t* text)
{
    balloonText_ = text ? text : L"";
}

void CsTrayIconW::SetInfoFlags(DWORD flags)
{
    data_.dwInfoFlags = flags;
}
