#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <string>

// The shell services the tray icon needs. The real shell is the default; tests hand in a recorder.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW& data) = 0;
    // The shell's version as GetDllVersion reports it.
    virtual std::uint64_t ShellVersion() = 0;
};

// Shell_NotifyIconW and the version of "Shell32.dll".
TrayShell& SystemTrayShell();

// (major << 16 | minor) in the upper 32 bits, as DllGetVersion of the named library reports it;
// 0 when the library, the entry point or the answer is missing.
std::uint64_t GetDllVersion(const wchar_t* library);

constexpr std::uint64_t MakeDllVersion(std::uint32_t major, std::uint32_t minor)
{
    return static_cast<std::uint64_t>(major << 16 | minor) << 32;
}

// The record size the shell understands: the newest layout that its version knows.
DWORD IconDataSizeForShellVersion(std::uint64_t version);

// The shell's NOTIFYICONDATAW record of one notification-area icon, and the add, modify and
// delete calls on it.
class CsTrayIconW {
public:
    // The longest texts the record's fields hold (one character is kept for the terminator).
    static constexpr std::size_t kMaxTip = 127;
    static constexpr std::size_t kMaxInfo = 255;
    static constexpr std::size_t kMaxInfoTitle = 63;

    CsTrayIconW(HWND window, UINT id, UINT callbackMessage, TrayShell& shell = SystemTrayShell());
    ~CsTrayIconW();
    CsTrayIconW(const CsTrayIconW&) = delete;
    CsTrayIconW& operator=(const CsTrayIconW&) = delete;

    bool Add();
    void Delete();
    void Modify(bool showBalloon);

    void SetVisible(bool visible);
    bool GetVisible() const { return added_; }

    HICON SetIcon(HICON icon);
    void SetTip(const std::wstring& text);
    void SetInfoTitle(const std::wstring& text);
    void SetBalloonText(const wchar_t* text);
    void SetInfoFlags(DWORD flags);

    const NOTIFYICONDATAW& Data() const { return data_; }

private:
    void InitIconData();
    void PrepareFlags(bool showBalloon);

    NOTIFYICONDATAW data_;
    std::wstring balloonText_;
    bool added_ = false;
    TrayShell& shell_;
};

#if !defined(_WIN64)
// The full record as the 32-bit shell headers lay it out, up to and including hBalloonIcon.
static_assert(sizeof(NOTIFYICONDATAW) == 956);
static_assert(NOTIFYICONDATAW_V3_SIZE == 952 && NOTIFYICONDATAW_V2_SIZE == 936 &&
              NOTIFYICONDATAW_V1_SIZE == 152);
#endif
