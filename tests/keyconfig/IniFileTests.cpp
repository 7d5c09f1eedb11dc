#include "IniFile.h"
#include "IniSnapshot.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

bool StartsWithUtf16Mark(const std::string& bytes)
{
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

// A character that no ANSI code page holds, so that writing it always needs a Unicode file.
const std::wstring kOutsideEveryCodePage = L"\x0D05\x0D06";

} // namespace

TEST(IniFile, TextsComeBackAsWritten)
{
    ScratchFolder folder;
    const IniFile ini(folder.File(L"fun.cfg"));
    const std::vector<std::pair<std::wstring, std::wstring>> values = {
        {L"plain", L"hello world"},
        {L"lead", L"  ab"},
        {L"trail", L"ab  "},
        {L"both", L" ab "},
        {L"tab", L"\tx"},
        {L"blank", L" "},
        {L"single", L"'hi'"},
        {L"double", L"\"hi\""},
        {L"quoteOnly", L"\""},
        {L"apostropheOnly", L"'"},
        {L"mixedQuotes", L"'a\""},
        {L"innerQuotes", L"say \"x\" now"},
        {L"equals", L"=="},
        {L"semicolon", L";not a comment"},
        {L"empty", L""},
        {L"cyrillic", L"\x0422\x0435\x0441\x0442"},
        {L"cjk", L"\x4E2D\x6587\x540D"},
        {L"path", L"C:\\\x0422\x0435\x0441\x0442\\run.bat"},
        {L"quotedCyrillic", L" \x0422 "},
    };
    for (const auto& [key, value] : values)
        EXPECT_TRUE(ini.WriteString(L"F1", key, value)) << "key " << testing::PrintToString(key);

    const IniFile again(folder.File(L"fun.cfg"));
    again.Flush();
    const IniSnapshot snapshot(folder.File(L"fun.cfg"));
    for (const auto& [key, value] : values) {
        EXPECT_EQ(again.ReadString(L"F1", key, L"<absent>", 260), value) << "key " << testing::PrintToString(key);
        EXPECT_EQ(snapshot.ReadString(L"F1", key, L"<absent>", 260), value) << "snapshot, key " << testing::PrintToString(key);
    }
}

TEST(IniFile, AnsiTextsLeaveThePlainFileAsThePrivateProfileWriterMakesIt)
{
    ScratchFolder folder;
    const IniFile ini(folder.File(L"Setting.ini"));
    ASSERT_TRUE(ini.WriteString(L"Info", L"Switch", L"1"));
    ASSERT_TRUE(ini.WriteString(L"Info", L"Name", L"two words"));

    const std::string bytes = ReadBytes(ini.Path());
    EXPECT_FALSE(StartsWithUtf16Mark(bytes));
    EXPECT_NE(bytes.find("[Info]"), std::string::npos);
    EXPECT_NE(bytes.find("Switch=1"), std::string::npos);
    EXPECT_NE(bytes.find("Name=two words"), std::string::npos);
}

TEST(IniFile, UnicodeTextTurnsAnAnsiFileIntoUtf16AndKeepsItsContent)
{
    ScratchFolder folder;
    ASSERT_FALSE(FitsAnsiCodePage(kOutsideEveryCodePage));
    folder.WriteAnsi(L"fun.cfg", "; header comment\r\n"
                                 "[F1]\r\n"
                                 "DisplayName=\" spaced \"\r\n"
                                 "Type=2\r\n"
                                 "[F2]\r\n"
                                 "1=0x1a0023a\r\n");
    const IniFile ini(folder.File(L"fun.cfg"));
    ASSERT_FALSE(ini.IsUtf16());

    const std::wstring name = L"\x0414\x0438\x0441\x043A " + kOutsideEveryCodePage;
    ASSERT_TRUE(ini.WriteString(L"F3", L"DisplayName", name));

    EXPECT_TRUE(StartsWithUtf16Mark(ReadBytes(ini.Path())));
    EXPECT_FALSE(FileExists(ini.Path() + L".new"));
    EXPECT_EQ(ini.ReadString(L"F3", L"DisplayName", L"", 64), name);
    EXPECT_EQ(ini.ReadString(L"F1", L"DisplayName", L"", 64), L" spaced ");
    EXPECT_EQ(ini.ReadInteger(L"F1", L"Type", 0), 2);
    EXPECT_EQ(ini.ReadInteger(L"F2", L"1", 0), 0x1a0023a);

    // Later plain writes keep the Unicode file.
    ASSERT_TRUE(ini.WriteString(L"F1", L"Type", L"3"));
    EXPECT_TRUE(StartsWithUtf16Mark(ReadBytes(ini.Path())));
    EXPECT_EQ(ini.ReadInteger(L"F1", L"Type", 0), 3);
    EXPECT_EQ(ini.ReadString(L"F3", L"DisplayName", L"", 64), name);
}

TEST(IniFile, UnicodeTextCreatesAMissingFileAsUtf16)
{
    ScratchFolder folder;
    const IniFile ini(folder.File(L"TargetProfile.ini"));
    const std::wstring name = L"\x6E38\x620F" + kOutsideEveryCodePage;
    ASSERT_TRUE(ini.WriteString(L"TargetProfile", L"NAME", name));
    EXPECT_TRUE(ini.IsUtf16());
    EXPECT_EQ(ini.ReadString(L"TargetProfile", L"NAME", L"", 260), name);
}

TEST(IniFile, ReadsHandWrittenValues)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"KeyMap.cfg", "[KeyCode]\r\n"
                                    "93_dis=\" \"\r\n"
                                    "75_dis==\r\n"
                                    "76_dis=;\r\n"
                                    "long=0123456789012345678901234567890123456789012345678901234567890123456789\r\n"
                                    "[Numbers]\r\n"
                                    "negative=-4\r\n"
                                    "NEGATIVE=9\r\n"
                                    "hex=0x1E0000\r\n"
                                    "upperHex=0XFFFFFFFF\r\n"
                                    "padded=  12  \r\n"
                                    "leadingZero=0429\r\n"
                                    "quoted=\"7\"\r\n"
                                    "text=abc\r\n"
                                    "empty=\r\n");
    const IniFile ini(folder.File(L"KeyMap.cfg"));
    EXPECT_EQ(ini.ReadString(L"KeyCode", L"93_dis", L"", 260), L" ");
    EXPECT_EQ(ini.ReadString(L"KeyCode", L"75_dis", L"", 260), L"=");
    EXPECT_EQ(ini.ReadString(L"KeyCode", L"76_dis", L"", 260), L";");
    EXPECT_EQ(ini.ReadString(L"KeyCode", L"long", L"", 64).size(), 63u);
    EXPECT_EQ(ini.ReadString(L"KeyCode", L"absent", L"fallback", 260), L"fallback");

    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"negative", 0), -4);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"hex", 0), 0x1E0000);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"upperHex", 0), -1);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"padded", 0), 12);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"leadingZero", 0), 429);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"quoted", 0), 7);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"text", 5), 0);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"empty", 5), 5);
    EXPECT_EQ(ini.ReadInteger(L"Numbers", L"absent", 98), 98);
    EXPECT_EQ(ini.ReadInteger(L"Absent", L"absent", -3), -3);

    // A file read at once answers as the key-by-key reader does.
    const IniSnapshot snapshot(ini.Path());
    for (const wchar_t* key : {L"93_dis", L"75_DIS", L"76_dis", L"long", L"absent"})
        EXPECT_EQ(snapshot.ReadString(L"KeyCode", key, L"fallback", 64), ini.ReadString(L"KeyCode", key, L"fallback", 64))
            << key;
    for (const wchar_t* key : {L"negative", L"Hex", L"upperHex", L"padded", L"leadingZero", L"quoted", L"text",
                               L"empty", L"absent"})
        EXPECT_EQ(snapshot.ReadInteger(L"numbers", key, 5), ini.ReadInteger(L"Numbers", key, 5)) << key;
    EXPECT_EQ(snapshot.ReadInteger(L"Absent", L"absent", -3), -3);
}

TEST(IniFile, DeleteSectionRemovesOnlyThatSection)
{
    ScratchFolder folder;
    const IniFile ini(folder.File(L"fun.cfg"));
    ini.WriteString(L"F1", L"Type", L"129");
    ini.WriteString(L"F1_UI", L"1_status", L"1");
    ini.WriteString(L"F2", L"Type", L"2");
    ASSERT_TRUE(ini.DeleteSection(L"F1"));
    EXPECT_EQ(ini.ReadString(L"F1", L"Type", L"gone", 260), L"gone");
    EXPECT_EQ(ini.ReadString(L"F1_UI", L"1_status", L"gone", 260), L"1");
    EXPECT_EQ(ini.ReadString(L"F2", L"Type", L"gone", 260), L"2");
}

TEST(IniFile, LineBreaksAndNulNeverReachTheFile)
{
    ScratchFolder folder;
    const IniFile ini(folder.File(L"fun.cfg"));
    ASSERT_TRUE(ini.WriteString(L"F1", L"DisplayName", L"kept"));
    const std::string before = ReadBytes(ini.Path());
    const std::wstring nul(1, L'\0');
    const struct {
        std::wstring section, key, value;
    } refused[] = {
        {L"F1", L"DisplayName", L"evil\r\n[F2]\r\nType=3\r\n1=C:\\x"}, {L"F1", L"DisplayName", L"a\nb"},
        {L"F1", L"DisplayName", L"a\rb"}, {L"F1", L"DisplayName", L"a" + nul + L"b"}, {L"F1", L"Display\nName", L"x"},
        {L"F1", L"Display" + nul, L"x"}, {L"F1]\r\n[F2", L"Type", L"3"}, {L"F2]", L"Type", L"3"},
        {L"F2\n", L"Type", L"3"}, {L"F2" + nul, L"Type", L"3"},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(ini.WriteString(r.section, r.key, r.value)) << testing::PrintToString(r.section + L"/" + r.key);
    EXPECT_EQ(ReadBytes(ini.Path()), before);

    EXPECT_EQ(WithoutLineBreaks(L"\r\nev\ril\n\r\n name\r"), L"evil name");
    EXPECT_TRUE(ini.WriteString(L"F1", L"DisplayName", WithoutLineBreaks(L"two\r\nlines")));
    EXPECT_EQ(ini.ReadString(L"F1", L"DisplayName", L"", 64), L"twolines");
}

TEST(IniFile, ACopyLeftBesideTheFileByAKilledWriteNeverReachesIt)
{
    ScratchFolder folder;
    const std::wstring path = folder.File(L"Setting.ini");
    const auto write = [&](const wchar_t* key) {
        return WriteIniAllOrNothing(path, [key](const IniFile& file) { return file.WriteString(L"Info", key, L"1"); });
    };
    const auto deleteSection = [&] {
        return WriteIniAllOrNothing(path, [](const IniFile& file) { return file.DeleteSection(L"Info"); });
    };
    const std::string stale = "[Stale]\r\nkey=left by a killed write\r\n";
    // A missing file stays missing when nothing is written to it.
    folder.WriteAnsi(L"Setting.ini.new", stale);
    EXPECT_TRUE(deleteSection());
    EXPECT_FALSE(FileExists(path));
    // Then a new file, then an existing one.
    for (const auto& [key, line] : {std::pair{L"Time", "Time=1"}, std::pair{L"TimeType", "TimeType=1"}}) {
        folder.WriteAnsi(L"Setting.ini.new", stale);
        ASSERT_TRUE(write(key));
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(bytes.find("Stale"), std::string::npos) << bytes;
        EXPECT_NE(bytes.find(line), std::string::npos) << bytes;
        EXPECT_FALSE(FileExists(path + L".new"));
    }
}
