// The tray control while the notification area refuses the icon: it tries every five seconds until
// the icon is in, and goes on without its icon file.

#include "CTrayControl.h"
#include "ResourcePath.h"
#include "TrayHost.h"

#include "forms/Form.h"
#include "forms/Rtl.h"
#include "forms/Timer.h"
#include "gui/controls/TsTrayIconW.h"

#include <gtest/gtest.h>

namespace {

// The main form's stand-in, and a notification area that refuses the first three adds.
class HostAndShell final : public TrayHost, public TrayShell {
public:
    forms::TForm& Form() override { return form_; }
    void SwitchFromTray(bool) override {}
    BOOL NotifyIcon(DWORD message, NOTIFYICONDATAW&) override
    {
        last = message;
        return message == NIM_ADD && refusedAdds-- > 0 ? FALSE : TRUE;
    }
    std::uint64_t ShellVersion() override { return MakeDllVersion(6, 1); }

    int refusedAdds = 3;
    DWORD last = 0;

private:
    forms::TForm form_{nullptr};
};

TEST(CTrayControl, TriesEveryFiveSecondsUntilTheNotificationAreaTakesTheIcon)
{
    ASSERT_FALSE(forms::FileExists(ResourcePath(L"icon", L"ap.ico")));
    HostAndShell host;
    CTrayControl tray(host, host);
    tray.Init();
    forms::TTimer& timer = *tray.RetryTimer();
    EXPECT_EQ(timer.Interval(), 5000u);
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_FALSE(tray.TrayIcon()->GetVisible()) << tick;
        EXPECT_TRUE(timer.Enabled()) << tick;
        timer.OnTimer(&timer);
    }
    EXPECT_TRUE(tray.TrayIcon()->GetVisible());
    EXPECT_FALSE(timer.Enabled()) << "no more tries once the icon is in";
    EXPECT_NE(tray.TrayIcon()->IconData().Data().hIcon, nullptr) << "the application's icon";
    tray.Release();
    EXPECT_EQ(host.last, static_cast<DWORD>(NIM_DELETE));
}

} // namespace
