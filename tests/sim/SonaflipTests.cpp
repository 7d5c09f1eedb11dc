#include "SimTestSupport.h"

#include <gmock/gmock.h>

using namespace simtest;
using testing::Each;
using testing::ElementsAre;

namespace {

using NextDeviceFn = DWORD(WINAPI*)(wchar_t* buffer, DWORD capacity);

class SonaflipTest : public StateFolderTest {
protected:
    Library dll{DistFolder() + L"Sonaflip.dll"};
    NextDeviceFn next = dll.Get<NextDeviceFn>("SetNextPlaybackDeviceAsDefault");

    void SetUp() override
    {
        ASSERT_TRUE(dll.Loaded());
        ASSERT_NE(next, nullptr);
    }

    std::wstring AudioIni() const { return State() + L"audio.ini"; }

    std::wstring Switch()
    {
        wchar_t buffer[256];
        EXPECT_EQ(next(buffer, 256), 1u);
        return buffer;
    }
};

TEST_F(SonaflipTest, DefaultListCyclesAndRecordsTheNewDefault)
{
    EXPECT_EQ(Switch(), L"Speakers");
    EXPECT_EQ(IniValue(AudioIni(), L"Audio", L"Default"), L"Speakers");
    EXPECT_EQ(Switch(), L"Headphones");
    EXPECT_EQ(Switch(), L"Digital Output");
    EXPECT_EQ(Switch(), L"Speakers");
    EXPECT_EQ(IniValue(AudioIni(), L"Audio", L"Default"), L"Speakers");
    EXPECT_THAT(CallLog(), ElementsAre("Sonaflip SetNextPlaybackDeviceAsDefault buf 256",
                                       "Sonaflip SetNextPlaybackDeviceAsDefault buf 256",
                                       "Sonaflip SetNextPlaybackDeviceAsDefault buf 256",
                                       "Sonaflip SetNextPlaybackDeviceAsDefault buf 256"));
}

TEST_F(SonaflipTest, ListedDevicesFollowTheRecordedDefault)
{
    WritePrivateProfileStringW(L"Audio", L"Devices", L" Alpha ; Beta;;Gamma ", AudioIni().c_str());
    WritePrivateProfileStringW(L"Audio", L"Default", L"Beta", AudioIni().c_str());
    EXPECT_EQ(Switch(), L"Gamma");
    EXPECT_EQ(Switch(), L"Alpha");

    // A default that is not in the list starts over at the first device.
    WritePrivateProfileStringW(L"Audio", L"Default", L"Unplugged", AudioIni().c_str());
    EXPECT_EQ(Switch(), L"Alpha");
}

TEST_F(SonaflipTest, NameIsCutToTheCapacityAndNeverPast256Characters)
{
    const std::wstring longName(300, L'n');
    WritePrivateProfileStringW(L"Audio", L"Devices", longName.c_str(), AudioIni().c_str());

    std::vector<wchar_t> buffer(400, L'#');
    EXPECT_EQ(next(buffer.data(), 300), 1u);
    EXPECT_EQ(std::wstring(buffer.data()), std::wstring(255, L'n'));
    EXPECT_THAT(std::vector<wchar_t>(buffer.begin() + 256, buffer.end()), Each(L'#'));

    std::fill(buffer.begin(), buffer.end(), L'#');
    EXPECT_EQ(next(buffer.data(), 5), 1u);
    EXPECT_EQ(std::wstring(buffer.data()), L"nnnn");
    EXPECT_EQ(buffer[5], L'#');

    std::fill(buffer.begin(), buffer.end(), L'#');
    EXPECT_EQ(next(buffer.data(), 0), 1u);
    EXPECT_EQ(buffer[0], L'#');

    EXPECT_EQ(next(nullptr, 256), 1u);
}

}  // namespace
