#include "FunData.h"
#include "IniFile.h"
#include "KeyAssignmentStore.h"
#include "ProfileBroadcast.h"
#include "ProfileName.h"
#include "ScratchFolder.h"
#include "TargetProfile.h"
#include "TastroProfileManager.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::wstring DisplayName(int n)
{
    const _FunData* data = FindFunData(n);
    return data ? std::wstring(FieldText(data->DisplayName)) : L"<none>";
}

} // namespace

TEST(ProfileName, AcceptsOrdinaryNames)
{
    for (const wchar_t* name : {L"Gaming", L"a.b", L" game", L"work 2", L"\x0418\x0433\x0440\x0430", L"\x6E38\x620F",
                                L"CONSOLE", L"COM10", L"LPT0", L"com", L"x.CON", L"a..", L"'quoted'", L"COM\x2074", L"a "})
        EXPECT_TRUE(IsValidProfileName(name)) << testing::PrintToString(std::wstring(name));
}

TEST(ProfileName, RefusesPathsStreamsWildcardsAndDevices)
{
    for (const wchar_t* name :
         {L"", L".", L"..", L"..\\..\\x", L"a\\b", L"a/b", L"C:\\t\\x", L"a:b", L"a*", L"a?", L"a\"b", L"a<b",
          L"a>b", L"a|b", L"a\tb", L"a\x1F", L"CON", L"con", L"Prn", L"AUX", L"nul", L"COM1", L"com9", L"LPT1",
          L"lpt9", L"CON.txt", L"nul.a.b", L"CON ", L"aux .mck",
          // Names the listing hides: a leading dot, or nothing but blanks.
          L".x", L"..a", L".hidden.mck", L" ", L"   ", L"\x3000",
          // Superscript digits name devices too.
          L"COM\x00B9", L"com\x00B2", L"LpT\x00B3.txt", L"lpt\x00B9 "})
        EXPECT_FALSE(IsValidProfileName(name)) << testing::PrintToString(std::wstring(name));
    // The longest name a file system can hold with the extension.
    EXPECT_TRUE(IsValidProfileName(std::wstring(kMaxProfileNameLength, L'x')));
    EXPECT_FALSE(IsValidProfileName(std::wstring(kMaxProfileNameLength + 1, L'x')));
}

TEST(TastroProfileManager, CreatesTheFolderAndListsOnlyProfileFiles)
{
    ScratchFolder folder;
    const std::wstring base = folder.File(L"nested\\");
    const TastroProfileManager manager(base);
    EXPECT_EQ(manager.ProfileFolder(), base + L"Profile\\");
    ASSERT_TRUE(FileExists(manager.ProfileFolder()));
    EXPECT_TRUE(manager.GetProfileNames().empty());

    const std::wstring dir = manager.ProfileFolder();
    for (const wchar_t* file : {L"a.mck", L"a.b.mck", L".mck", L".hidden.mck", L"UPPER.MCK", L"old.mckbak",
                                L"note.txt", L"TargetProfile.ini"})
        CloseHandle(CreateFileW((dir + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CreateDirectoryW((dir + L"x.mck").c_str(), nullptr);

    EXPECT_EQ(Sorted(manager.GetProfileNames()), (std::vector<std::wstring>{L"UPPER", L"a", L"a.b"}));
}

TEST(TastroProfileManager, SaveCopiesFunCfgByteForByte)
{
    ScratchFolder folder;
    const std::string content = "[F1]\r\nDisplayName=x\r\nType=3\r\n\r\n\r\n; trailing comment";
    folder.WriteAnsi(L"fun.cfg", content);
    const TastroProfileManager manager(folder.Path());

    EXPECT_TRUE(manager.SaveProfile(L"Gaming"));
    EXPECT_EQ(ReadBytes(manager.ProfileFolder() + L"Gaming.mck"), content);

    // An existing profile is replaced without a question.
    folder.WriteAnsi(L"fun.cfg", "[F2]\r\nType=2\r\n");
    EXPECT_TRUE(manager.SaveProfile(L"Gaming"));
    EXPECT_EQ(ReadBytes(manager.ProfileFolder() + L"Gaming.mck"), "[F2]\r\nType=2\r\n");
    EXPECT_EQ(manager.GetProfileNames(), (std::vector<std::wstring>{L"Gaming"}));
}

TEST(TastroProfileManager, SaveRefusesInvalidNamesAndReportsAFailedCopy)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=3\r\n");
    const TastroProfileManager manager(folder.Path());
    for (const wchar_t* name : {L"", L"..\\fun", L"..\\..\\x", L"a:b", L"CON", L"lpt1.x"})
        EXPECT_FALSE(manager.SaveProfile(name)) << testing::PrintToString(std::wstring(name));
    EXPECT_FALSE(FileExists(folder.File(L"fun.mck")));
    EXPECT_FALSE(FileExists(folder.File(L"a")));
    EXPECT_TRUE(manager.GetProfileNames().empty());

    DeleteFileW(folder.File(L"fun.cfg").c_str());
    EXPECT_FALSE(manager.SaveProfile(L"Empty"));
    EXPECT_FALSE(FileExists(manager.ProfileFolder() + L"Empty.mck"));
}

TEST(TastroProfileManager, DeleteRemovesOnlyTheNamedProfile)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=3\r\n");
    folder.WriteAnsi(L"outside.mck", "keep");
    const TastroProfileManager manager(folder.Path());
    ASSERT_TRUE(manager.SaveProfile(L"one"));
    ASSERT_TRUE(manager.SaveProfile(L"two"));

    EXPECT_TRUE(manager.DeleteProfile(L"one"));
    EXPECT_FALSE(manager.DeleteProfile(L"missing"));
    EXPECT_FALSE(manager.DeleteProfile(L"..\\outside"));
    EXPECT_EQ(manager.GetProfileNames(), (std::vector<std::wstring>{L"two"}));
    EXPECT_TRUE(FileExists(folder.File(L"outside.mck")));
}

TEST(TargetProfile, NamesRoundTripThroughTargetProfileIni)
{
    ScratchFolder folder;
    const TastroProfileManager manager(folder.Path());
    for (const std::wstring name : {L"Gaming", L" game ", L"'q'", L"\x0418\x0433\x0440\x0430", L"\x6E38\x620F"}) {
        manager.SetTargetProfile(name);
        EXPECT_EQ(IniFile(TargetProfilePath(folder.Path())).ReadString(L"TargetProfile", L"NAME", L"", 260), name);
    }
    EXPECT_EQ(TargetProfilePath(folder.Path()), folder.File(L"Profile\\TargetProfile.ini"));
}

TEST(TargetProfile, ApplyCopiesTheProfileAndReloadsEveryKey)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nDisplayName=current\r\nType=3\r\n");
    LoadConfig();
    const TastroProfileManager manager(folder.Path());
    const std::string profile = "[F2]\r\nDisplayName=from profile\r\nType=2\r\n1=hi\r\n";
    const std::wstring name = L" \x0418\x0433\x0440\x0430";
    folder.WriteAnsi(L"Profile\\" + name + L".mck", profile);
    manager.SetTargetProfile(name);

    const AppliedProfile applied = ApplyTargetProfile();
    EXPECT_TRUE(applied.copy);
    EXPECT_TRUE(applied.anyKeyAssigned);
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), profile);
    EXPECT_EQ(FunDataMap().size(), 10u);
    EXPECT_EQ(FindFunData(1)->Type, 0);
    EXPECT_EQ(DisplayName(1), L"");
    EXPECT_EQ(FindFunData(2)->Type, 2);
    EXPECT_EQ(DisplayName(2), L"from profile");
}

TEST(TargetProfile, ApplyWithoutTargetStillReloadsFromTheUnchangedFile)
{
    ScratchFolder folder;
    const std::string content = "[F4]\r\nDisplayName=kept\r\nType=3\r\n";
    folder.WriteAnsi(L"fun.cfg", content);
    LoadConfig();
    CopyField(FindFunData(4)->DisplayName, L"edited in memory");
    FindFunData(5)->Type = 2;

    const AppliedProfile applied = ApplyTargetProfile();
    EXPECT_FALSE(applied.copy);
    EXPECT_TRUE(applied.anyKeyAssigned);
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), content);
    EXPECT_EQ(DisplayName(4), L"kept");
    EXPECT_EQ(FindFunData(5)->Type, 0);
}

TEST(TargetProfile, ApplyIgnoresANameThatLeadsOutOfTheProfileFolder)
{
    ScratchFolder folder;
    const std::string content = "[F1]\r\nType=3\r\n";
    folder.WriteAnsi(L"fun.cfg", content);
    const TastroProfileManager manager(folder.Path());
    folder.WriteAnsi(L"evil.mck", "[F1]\r\nType=129\r\n");

    for (const wchar_t* name : {L"..\\evil", L"CON", L""}) {
        manager.SetTargetProfile(name);
        const AppliedProfile applied = ApplyTargetProfile();
        EXPECT_FALSE(applied.copy) << testing::PrintToString(std::wstring(name));
        EXPECT_TRUE(applied.anyKeyAssigned);
        EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), content);
        EXPECT_EQ(FindFunData(1)->Type, 3);
    }
}

TEST(TargetProfile, MissingProfileLeavesFunCfgAsItWas)
{
    ScratchFolder folder;
    const std::string content = "[F1]\r\nType=3\r\n";
    folder.WriteAnsi(L"fun.cfg", content);
    const TastroProfileManager manager(folder.Path());
    manager.SetTargetProfile(L"deleted meanwhile");
    EXPECT_FALSE(ApplyTargetProfile().copy);
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), content);

    // An unwritable fun.cfg: the copy fails, and the keys are read from the file as it stays.
    folder.WriteAnsi(L"Profile\\other.mck", "[F2]\r\nType=2\r\n");
    ASSERT_TRUE(manager.SetTargetProfile(L"other"));
    const ScopedFileHandle held = HoldReadOnly(folder.File(L"fun.cfg"));
    const AppliedProfile applied = ApplyTargetProfile();
    EXPECT_FALSE(applied.copy);
    EXPECT_EQ(FindFunData(1)->Type, 3);
    EXPECT_EQ(FindFunData(2)->Type, 0);
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), content);
}

TEST(TastroProfileManager, FailedStepsReturnTheSystemError)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F1]\r\nType=3\r\n");
    const TastroProfileManager manager(folder.Path());
    ASSERT_TRUE(manager.SaveProfile(L"held") && manager.SetTargetProfile(L"held"));
    const ScopedFileHandle held = HoldReadOnly(manager.ProfileFolder() + L"held.mck");
    const ScopedFileHandle target = HoldReadOnly(TargetProfilePath(folder.Path()));
    // A save is refused by the move over the held file, a delete by the delete itself.
    EXPECT_EQ(manager.SaveProfile(L"held").error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(manager.DeleteProfile(L"held").error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(FileExists(manager.ProfileFolder() + L"held.mck"));
    EXPECT_FALSE(FileExists(manager.ProfileFolder() + L"held.mck.new"));
    EXPECT_FALSE(manager.SetTargetProfile(L"other"));
}

TEST(ProfileBroadcast, OnlyTheRegisteredMessageWithTheLoadCodeIsARequest)
{
    const UINT message = BroadcastMessage();
    ASSERT_GE(message, 0xC000u);
    EXPECT_EQ(message, RegisterWindowMessageW(L"VORN_BROADCAST_MESSAGE"));
    EXPECT_TRUE(IsLoadProfileRequest(message, 0x2132));
    EXPECT_FALSE(IsLoadProfileRequest(message, 0x2133));
    EXPECT_FALSE(IsLoadProfileRequest(message, 0));
    EXPECT_FALSE(IsLoadProfileRequest(message + 1, 0x2132));
    EXPECT_FALSE(IsLoadProfileRequest(0, 0x2132));
}
