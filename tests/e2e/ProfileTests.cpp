// Profiles: copies of fun.cfg in the profile folder, saved, listed, applied and deleted.

#include "KeyTable.h"
#include "ProgramFolderTest.h"

#include <gmock/gmock.h>

using namespace e2e;
using testing::IsEmpty;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::UnorderedElementsAre;

namespace {

// A comment, blank lines and bare line feeds: a profile must keep them byte for byte.
const std::string kGame = "; my game keys\n\n[F1]\nDisplayName=Tool\n1=C:\\\nType=3\r\nCount=1\r\n";
const std::string kOffice = "[F2]\r\nType=2\r\nCount=1\r\n1=ab\r\n[F5]\r\nType=3\r\n1=C:\\\r\n";

class ProfileTest : public ProgramFolderTest {
protected:
    std::wstring ProfileFile(const std::wstring& name) const { return File(L"Profile\\" + name); }

    std::vector<std::string> List() const
    {
        const ProcessResult list = Ctl({L"profile", L"list"});
        EXPECT_EQ(list.exitCode, kOk) << testing::PrintToString(list);
        return SplitLines(list.out);
    }
};

TEST_F(ProfileTest, SavedProfileIsListedAppliedAndDeleted)
{
    EXPECT_THAT(List(), ElementsAre("no profiles"));

    WriteFunCfg(kGame);
    const ProcessResult save = Ctl({L"profile", L"save", L"game"});
    ASSERT_EQ(save.exitCode, kOk) << testing::PrintToString(save);
    EXPECT_EQ(save.out, "saved profile \"game\"\n");
    EXPECT_EQ(ReadFileBytes(ProfileFile(L"game.mck")), kGame);

    WriteFunCfg(kOffice);
    ASSERT_EQ(Ctl({L"profile", L"save", L"office"}).exitCode, kOk);
    ASSERT_EQ(Ctl({L"build"}).exitCode, kOk);
    EXPECT_THAT(List(), UnorderedElementsAre("game", "office"));

    const ProcessResult apply = Ctl({L"profile", L"apply", L"game"});
    ASSERT_EQ(apply.exitCode, kOk) << testing::PrintToString(apply);
    EXPECT_EQ(apply.out, "applied profile \"game\"; wrote the key table: 7 records, 6 data bytes\n");
    EXPECT_EQ(FunCfg(), kGame);
    EXPECT_EQ(IniValue(ProfileFile(L"TargetProfile.ini"), "TargetProfile", "NAME"), "game");
    // The table of the restored keys reaches the controller.
    const auto table = KeyTable();
    ASSERT_TRUE(table.has_value());
    EXPECT_TRUE(IsConsistentTable(*table));
    EXPECT_EQ(Hex(*table, 0, 3), "FF 00 C6");
    const auto records = Records(*table);
    ASSERT_EQ(records.size(), 7u);
    EXPECT_EQ(records[6].header, "03 00 00 3A 00 00");

    const ProcessResult remove = Ctl({L"profile", L"delete", L"game"});
    ASSERT_EQ(remove.exitCode, kOk) << testing::PrintToString(remove);
    EXPECT_EQ(remove.out, "deleted profile \"game\"\n");
    EXPECT_FALSE(Exists(ProfileFile(L"game.mck")));
    EXPECT_THAT(List(), ElementsAre("office"));
    EXPECT_EQ(FunCfg(), kGame);
}

TEST_F(ProfileTest, InvalidNamesAreRefusedAndNothingIsWritten)
{
    WriteFunCfg(kGame);
    const TreeSnapshot before = Snapshot(Root());
    for (const wchar_t* name :
         {L"..\\x", L"a/b", L"a:b", L"C:\\x", L"CON", L"con.txt", L"nul ", L"LPT1", L"", L"..", L"x?", L"a\tb"}) {
        for (const wchar_t* action : {L"save", L"apply", L"delete"}) {
            const ProcessResult result = Ctl({L"profile", action, name});
            SCOPED_TRACE(Utf8(action) + " \"" + Utf8(name) + "\": " + testing::PrintToString(result));
            EXPECT_EQ(result.exitCode, kFailed);
            EXPECT_THAT(result.err, HasSubstr("is not a valid profile name"));
        }
    }
    EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
}

TEST_F(ProfileTest, ApplyingOrDeletingAMissingProfileChangesNothing)
{
    WriteFunCfg(kGame);
    ASSERT_EQ(Ctl({L"profile", L"save", L"game"}).exitCode, kOk);
    WriteFunCfg(kOffice);
    ASSERT_EQ(Ctl({L"build"}).exitCode, kOk);
    const TreeSnapshot before = Snapshot(Root());

    for (const wchar_t* action : {L"apply", L"delete"}) {
        const ProcessResult result = Ctl({L"profile", action, L"gam"});
        SCOPED_TRACE(testing::PrintToString(result));
        EXPECT_EQ(result.exitCode, kFailed);
        EXPECT_THAT(result.err, HasSubstr("there is no profile \"gam\""));
    }
    EXPECT_THAT(Changes(before, Snapshot(Root())), IsEmpty());
    EXPECT_EQ(FunCfg(), kOffice);
}

}  // namespace
