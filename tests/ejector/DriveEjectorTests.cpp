#include "DriveEjector.h"
#include "FakeDeviceApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class DriveEjectorTest : public testing::Test {
protected:
    void TearDown() override
    {
        EXPECT_EQ(api.OpenHandleCount(), 0u) << "a device handle was left open";
        EXPECT_EQ(api.OpenListCount(), 0u) << "a device information list was left open";
    }

    // The calls whose text starts with one of the prefixes, in call order.
    Calls Only(std::initializer_list<std::string> prefixes) const
    {
        Calls result;
        for (const std::string& call : api.calls) {
            for (const std::string& prefix : prefixes) {
                if (call.compare(0, prefix.size(), prefix) == 0) {
                    result.push_back(call);
                    break;
                }
            }
        }
        return result;
    }

    // The calls made while the scan handled one letter (from its drive-type query to the next).
    Calls CallsFor(char letter) const
    {
        const std::string start = std::string("GetDriveType ") + letter + ":";
        const std::string next = std::string("GetDriveType ") + static_cast<char>(letter + 1) + ":";
        const auto first = std::find(api.calls.begin(), api.calls.end(), start);
        const auto last = letter == 'Z' ? api.calls.end() : std::find(first, api.calls.end(), next);
        return Calls(first, last);
    }

    static bool Contains(const Calls& calls, const std::string& call)
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    FakeDeviceApi api;
};

TEST_F(DriveEjectorTest, WithoutRemovableDrivesOnlyTheDriveTypesAreAsked)
{
    api.drives['C'].type = DRIVE_FIXED;
    api.drives['D'].type = DRIVE_CDROM;
    api.drives['M'].type = DRIVE_REMOTE;
    api.drives['R'].type = DRIVE_RAMDISK;

    EjectRemovableDrives(api);

    Calls scan;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        scan.push_back(std::string("GetDriveType ") + letter + ":");
    }
    EXPECT_EQ(api.calls, scan);
}

TEST_F(DriveEjectorTest, OneDriveTakesTheWholeRoadToItsParent)
{
    api.AddRemovableDisk('E', 1, 101, 501);
    const std::string disk = api.disks[0].devicePath;

    EjectRemovableDrives(api);

    const Calls expected = {
        "GetDriveType E:",  "CreateFile \\\\.\\E:", "DeviceNumber \\\\.\\E:", "Close \\\\.\\E:",
        "GetDriveType E:\\", "QueryDosDevice E:",   "ClassDevs disk",         "EnumInterface 0",
        "Detail 0 size",    "Detail 0",             "CreateFile " + disk,     "DeviceNumber " + disk,
        "Close " + disk,    "Destroy disk",         "GetParent 101",          "Eject 501",
    };
    EXPECT_EQ(CallsFor('E'), expected);
}

TEST_F(DriveEjectorTest, RemovableDrivesAreEjectedInLetterOrder)
{
    api.AddRemovableDisk('G', 2, 102, 602);
    api.AddRemovableDisk('E', 1, 101, 501);

    EjectRemovableDrives(api);

    EXPECT_EQ(Only({"Eject", "Sleep"}), (Calls{"Eject 501", "Eject 602"}));
}

TEST_F(DriveEjectorTest, DriveRemovedWithAnEarlierDriveIsSkippedSilently)
{
    // One card reader with two slots: ejecting it for E: also removes G:.
    api.AddRemovableDisk('E', 1, 101, 500);
    api.AddRemovableDisk('G', 2, 102, 500);

    EjectRemovableDrives(api);

    EXPECT_EQ(Only({"Eject", "Sleep"}), (Calls{"Eject 500"}));
    EXPECT_EQ(CallsFor('G'), (Calls{"GetDriveType G:", "CreateFile \\\\.\\G:"}));
}

TEST_F(DriveEjectorTest, RefusedEjectIsRequestedThreeTimesThenTheNextDriveFollows)
{
    api.AddRemovableDisk('E', 1, 101, 501);
    api.AddRemovableDisk('G', 2, 102, 602);
    const FakeDeviceApi::EjectAnswer refused{CR_REMOVE_VETOED, PNP_VetoOutstandingOpen};
    api.ejectAnswers[501] = {refused, refused, refused};

    EjectRemovableDrives(api);

    const Calls expected = {"Eject 501", "Sleep 500", "Eject 501", "Sleep 500",
                            "Eject 501", "Sleep 500", "Eject 602"};
    EXPECT_EQ(Only({"Eject", "Sleep"}), expected);
}

TEST_F(DriveEjectorTest, SuccessAfterARefusalEndsTheRetries)
{
    api.AddRemovableDisk('E', 1, 101, 501);
    api.ejectAnswers[501] = {{CR_REMOVE_VETOED, PNP_VetoOutstandingOpen}, {CR_SUCCESS, {}}};

    EjectRemovableDrives(api);

    EXPECT_EQ(Only({"Eject", "Sleep"}), (Calls{"Eject 501", "Sleep 500", "Eject 501"}));
}

TEST_F(DriveEjectorTest, SuccessCarryingAVetoCountsAsRefused)
{
    api.AddRemovableDisk('E', 1, 101, 501);
    api.ejectAnswers[501] = {{CR_SUCCESS, PNP_VetoDevice}, {CR_SUCCESS, {}}};

    EjectRemovableDrives(api);

    // The second request leaves the veto type alone; the first one's veto must not linger.
    EXPECT_EQ(Only({"Eject", "Sleep"}), (Calls{"Eject 501", "Sleep 500", "Eject 501"}));
}

TEST_F(DriveEjectorTest, FixedAndOpticalDrivesAreNotEjected)
{
    api.AddRemovableDisk('E', 1, 101, 501).type = DRIVE_FIXED;
    api.AddRemovableDisk('F', 2, 102, 502).type = DRIVE_CDROM;

    EjectRemovableDrives(api);

    EXPECT_EQ(CallsFor('E'), (Calls{"GetDriveType E:"}));
    EXPECT_EQ(CallsFor('F'), (Calls{"GetDriveType F:"}));
    EXPECT_TRUE(Only({"Eject"}).empty());
}

TEST_F(DriveEjectorTest, FloppyDriveIsFoundThroughTheFloppyInterfaces)
{
    auto& drive = api.drives['A'];
    drive.type = DRIVE_REMOVABLE;
    drive.deviceNumber = 0;
    drive.dosDeviceName = "\\Device\\Floppy0";
    drive.removedWith = 700;
    api.floppies.push_back({"\\\\?\\fdc#generic_floppy_drive#1", 0, 70});
    api.parents[70] = 700;
    // A disk with the same number in its own class must not be taken for the floppy.
    api.disks.push_back({"\\\\?\\usbstor#disk#0", 0, 80});
    api.parents[80] = 800;

    EjectRemovableDrives(api);

    EXPECT_EQ(Only({"ClassDevs"}), (Calls{"ClassDevs floppy"}));
    EXPECT_EQ(Only({"Eject"}), (Calls{"Eject 700"}));
}

TEST_F(DriveEjectorTest, ParentLookupFailureEndsThatDriveOnly)
{
    api.AddRemovableDisk('E', 1, 101, 501);
    api.AddRemovableDisk('G', 2, 102, 602);
    api.parents.erase(101);

    EjectRemovableDrives(api);

    EXPECT_EQ(CallsFor('E').back(), "GetParent 101");
    EXPECT_EQ(Only({"Eject", "Sleep"}), (Calls{"Eject 602"}));
}

TEST_F(DriveEjectorTest, EachFailedStepEndsTheDriveWithoutFurtherCalls)
{
    struct Case {
        const char* what;
        void (*breakDrive)(FakeDeviceApi&);
        const char* lastCall;
    };
    const Case cases[] = {
        {"volume does not open", [](FakeDeviceApi& f) { f.drives['E'].volumeOpens = false; },
         "CreateFile \\\\.\\E:"},
        {"volume has no device number", [](FakeDeviceApi& f) { f.drives['E'].numberKnown = false; },
         "Close \\\\.\\E:"},
        {"no DOS device name", [](FakeDeviceApi& f) { f.drives['E'].dosDeviceName.reset(); },
         "QueryDosDevice E:"},
        {"no interface with that number", [](FakeDeviceApi& f) { f.disks[0].deviceNumber = 9; },
         "Destroy disk"},
        {"no interface list", [](FakeDeviceApi& f) { f.classListFails = true; },
         "ClassDevs disk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDeviceApi fake;
        fake.AddRemovableDisk('E', 1, 101, 501);
        c.breakDrive(fake);

        EjectRemovableDrives(fake);

        const auto first = std::find(fake.calls.begin(), fake.calls.end(), "GetDriveType E:");
        const auto next = std::find(first, fake.calls.end(), "GetDriveType F:");
        ASSERT_NE(next, fake.calls.begin());
        EXPECT_EQ(*(next - 1), c.lastCall);
        EXPECT_TRUE(fake.CallsStartingWith("Eject").empty());
        EXPECT_TRUE(fake.CallsStartingWith("Sleep").empty());
        EXPECT_EQ(fake.OpenHandleCount(), 0u);
        EXPECT_EQ(fake.OpenListCount(), 0u);
    }
}

TEST_F(DriveEjectorTest, InterfaceClassFollowsDriveTypeAndDosName)
{
    struct Case {
        UINT driveType;
        const char* dosName;
        const char* className; // nullptr: no interface class, no list
        DEVINST expected;
    };
    const Case cases[] = {
        {DRIVE_REMOVABLE, "\\Device\\Floppy0", "floppy", 20},
        {DRIVE_REMOVABLE, "\\Device\\Harddisk1\\DR1", "disk", 10},
        {DRIVE_REMOVABLE, "\\Device\\floppy0", "disk", 10}, // the test is case-sensitive
        {DRIVE_FIXED, "\\Device\\Floppy0", "disk", 10},
        {DRIVE_CDROM, "\\Device\\CdRom0", "cdrom", 30},
        {DRIVE_REMOTE, "\\Device\\Harddisk1\\DR1", nullptr, 0},
        {DRIVE_RAMDISK, "\\Device\\Harddisk1\\DR1", nullptr, 0},
        {DRIVE_UNKNOWN, "\\Device\\Harddisk1\\DR1", nullptr, 0},
        {DRIVE_NO_ROOT_DIR, "\\Device\\Floppy0", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.driveType) + " " + c.dosName);
        FakeDeviceApi fake;
        fake.disks.push_back({"disk-3", 3, 10});
        fake.floppies.push_back({"floppy-3", 3, 20});
        fake.cdroms.push_back({"cdrom-3", 3, 30});

        EXPECT_EQ(FindDevInstByDeviceNumber(fake, 3, c.driveType, c.dosName), c.expected);

        const Calls lists = fake.CallsStartingWith("ClassDevs");
        EXPECT_EQ(lists, c.className ? Calls{std::string("ClassDevs ") + c.className} : Calls{});
        EXPECT_EQ(fake.OpenHandleCount(), 0u);
        EXPECT_EQ(fake.OpenListCount(), 0u);
    }
}

TEST_F(DriveEjectorTest, DetailOfNoSizeOrAboveTheBufferIsSkipped)
{
    api.disks = {{"empty", 5, 1}, {"too-long", 5, 2}, {"largest", 5, 3}};
    api.disks[0].reportedSize = 0;
    api.disks[1].reportedSize = 1025;
    api.disks[2].reportedSize = 1024;

    EXPECT_EQ(FindDevInstByDeviceNumber(api, 5, DRIVE_REMOVABLE, "\\Device\\Harddisk5\\DR5"), 3u);

    EXPECT_EQ(Only({"Detail", "CreateFile"}),
              (Calls{"Detail 0 size", "Detail 1 size", "Detail 2 size", "Detail 2",
                     "CreateFile largest"}));
}

TEST_F(DriveEjectorTest, InterfacesThatFailAreSkipped)
{
    api.disks = {{"no-detail", 5, 1}, {"no-open", 5, 2}, {"no-number", 5, 3},
                 {"other-number", 6, 4}, {"match", 5, 5}};
    api.disks[0].detailFails = true;
    api.disks[1].opens = false;
    api.disks[2].numberKnown = false;

    EXPECT_EQ(FindDevInstByDeviceNumber(api, 5, DRIVE_REMOVABLE, "\\Device\\Harddisk5\\DR5"), 5u);
    EXPECT_FALSE(Contains(api.calls, "CreateFile no-detail"));
    EXPECT_TRUE(Contains(api.calls, "Close no-number"));
    EXPECT_TRUE(Contains(api.calls, "Close other-number"));
}

TEST_F(DriveEjectorTest, FirstInterfaceWithTheNumberWins)
{
    api.disks = {{"two", 2, 10}, {"one-a", 1, 11}, {"one-b", 1, 12}};

    EXPECT_EQ(FindDevInstByDeviceNumber(api, 1, DRIVE_REMOVABLE, "\\Device\\Harddisk1\\DR1"), 11u);

    EXPECT_EQ(Only({"EnumInterface"}), (Calls{"EnumInterface 0", "EnumInterface 1"}));
    EXPECT_EQ(Only({"Destroy"}), (Calls{"Destroy disk"}));
    EXPECT_EQ(api.ListsCreated(), 1);
}

TEST_F(DriveEjectorTest, NoInterfaceWithTheNumberGivesNone)
{
    api.disks = {{"two", 2, 10}, {"three", 3, 11}};

    EXPECT_EQ(FindDevInstByDeviceNumber(api, 1, DRIVE_REMOVABLE, "\\Device\\Harddisk1\\DR1"), 0u);

    EXPECT_EQ(Only({"EnumInterface"}),
              (Calls{"EnumInterface 0", "EnumInterface 1", "EnumInterface 2"}));
    EXPECT_EQ(api.calls.back(), "Destroy disk");
}

} // namespace
