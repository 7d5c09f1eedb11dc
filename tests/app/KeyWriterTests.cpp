// The key pages' writers against a scratch program folder: the keys of each page in its order,
// fun.cfg and the record agreeing also after a restart, and a failed write changing nothing.

#include "FunData.h"
#include "IniSnapshot.h"
#include "KeyAssignmentStore.h"
#include "KeySectionEntries.h"
#include "ProgramFolder.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace {

// The key names of a section in the order the file holds them.
std::vector<std::wstring> KeysInFile(const std::wstring& path, const std::wstring& section)
{
    std::vector<std::wstring> keys;
    const std::wstring text = ReadIniText(path).value_or(L"");
    bool inside = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (!line.empty() && line.front() == L'[')
            inside = line == L"[" + section + L"]";
        else if (inside && line.find(L'=') != std::wstring::npos)
            keys.push_back(line.substr(0, line.find(L'=')));
        start = end + 1;
    }
    return keys;
}

std::wstring ValueOf(const _FunData& record, const std::wstring& key)
{
    if (key == L"DisplayName")
        return std::wstring(FieldText(record.DisplayName));
    if (key == L"IconFile")
        return std::wstring(FieldText(record.IconFile));
    if (key == L"Type")
        return std::to_wstring(record.Type);
    if (key == L"Count")
        return std::to_wstring(record.Count);
    return std::wstring(FieldText(record.Value[std::stoi(key) - 1]));
}

std::vector<std::wstring> AllValues(const _FunData& record)
{
    std::vector<std::wstring> values;
    for (const wchar_t* key : {L"DisplayName", L"IconFile", L"Type", L"Count"})
        values.push_back(ValueOf(record, key));
    for (int i = 1; i <= kFunValueCount; ++i)
        values.push_back(ValueOf(record, std::to_wstring(i)));
    return values;
}

struct WriterCase {
    const char* what;
    std::vector<SectionEntry> entries;
};

std::vector<WriterCase> Cases()
{
    return {
        {"function", FunctionKeyEntries(L"Volume Down", 405)},
        {"shortcut to a non-ANSI path", ShortcutKeyEntries(L"\u0422\u0435\u0441\u0442", L"C:\\\u0422\u0435\u0441\u0442\\\u4e2d.bat")},
        {"one text with blanks and quotes", TypedTextKeyEntries(L" hi ", L"'quoted'", L"")},
        {"two texts", TypedTextKeyEntries(L"hello", L"hello", L"\"world\"")},
        {"an over-long name", FunctionKeyEntries(std::wstring(80, L'W'), 430)},
    };
}

TEST(KeyWriters, EachPageWritesItsKeysInItsOrder)
{
    const std::pair<std::vector<SectionEntry>, std::vector<std::wstring>> cases[] = {
        {FunctionKeyEntries(L"Mute", 406), {L"DisplayName", L"IconFile", L"1", L"Type", L"Count"}},
        {ShortcutKeyEntries(L"app", L"C:\\a\\app.exe"),
         {L"DisplayName", L"IconFile", L"1", L"2", L"3", L"4", L"5", L"Type", L"Count"}},
        {TypedTextKeyEntries(L"t", L"one", L""), {L"DisplayName", L"IconFile", L"1", L"3", L"4", L"5", L"Type", L"Count"}},
        {TypedTextKeyEntries(L"t", L"one", L"two"),
         {L"2", L"DisplayName", L"IconFile", L"1", L"3", L"4", L"5", L"Type", L"Count"}},
    };
    for (const auto& [entries, order] : cases) {
        ScratchFolder folder;
        LoadConfig();
        ASSERT_TRUE(WriteKeySection(4, entries));
        EXPECT_EQ(KeysInFile(folder.File(L"fun.cfg"), L"F4"), order);
    }
    ScratchFolder folder;
    LoadConfig();
    ASSERT_TRUE(WriteKeySection(4, FunctionKeyEntries(L"Mute", 406)));
    EXPECT_EQ(ValueOf(*FindFunData(4), L"IconFile"), folder.Path() + L"resource\\Function\\ico\\406.ico");
}

TEST(KeyWriters, FileAndRecordAgreeAfterARestartAndEarlierKeysStay)
{
    for (const WriterCase& c : Cases()) {
        ScratchFolder folder;
        folder.WriteAnsi(L"fun.cfg", "[F3]\r\nDisplayName=Old\r\n1=a\r\n2=old second\r\n6=six\r\nType=129\r\nCount=3\r\n"
                                     "1_code=0x1\r\n[F3_UI]\r\n1_status=1\r\n");
        LoadConfig();
        ASSERT_TRUE(WriteKeySection(3, c.entries)) << c.what;
        const std::vector<std::wstring> written = AllValues(*FindFunData(3));
        LoadConfig();
        const _FunData& reloaded = *FindFunData(3);
        EXPECT_EQ(AllValues(reloaded), written) << c.what;
        for (const SectionEntry& entry : c.entries) {
            const std::wstring stored = entry.key == L"DisplayName" ? entry.value.substr(0, 63) : entry.value;
            EXPECT_EQ(ValueOf(reloaded, entry.key), stored) << c.what;
        }
        EXPECT_EQ(ValueOf(reloaded, L"6"), L"six") << c.what;
        const IniSnapshot file(folder.File(L"fun.cfg"));
        EXPECT_EQ(file.ReadString(L"F3", L"1_code", L"", 16), L"0x1") << c.what;
        EXPECT_EQ(file.ReadString(L"F3_UI", L"1_status", L"", 16), L"1") << c.what;
    }
}

TEST(KeyWriters, AFailedWriteLeavesFileAndRecordAsTheyWere)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"fun.cfg", "[F2]\r\nDisplayName=Kept\r\n1=kept\r\nType=2\r\nCount=1\r\n");
    LoadConfig();
    const std::string before = ReadBytes(folder.File(L"fun.cfg"));
    const std::vector<std::wstring> record = AllValues(*FindFunData(2));
    {
        const ScopedFileHandle held = HoldReadOnly(folder.File(L"fun.cfg"));
        EXPECT_FALSE(WriteKeySection(2, ShortcutKeyEntries(L"x", L"C:\\x\\\u0422.exe")));
        EXPECT_FALSE(WriteKeySection(11, FunctionKeyEntries(L"x", 400))) << "no such key";
    }
    EXPECT_EQ(ReadBytes(folder.File(L"fun.cfg")), before);
    EXPECT_EQ(AllValues(*FindFunData(2)), record);
    EXPECT_FALSE(FileExists(folder.File(L"fun.cfg.new")));
}

} // namespace
