// The key pages' rules that need no window: the rename dialog's texts and the chosen name, the
// Shortcut page's name, folder and refused picks, the Smart Input page's filter, budget and
// words-left texts.

#include "FunData.h"
#include "KeyAssigner.h"
#include "ShortcutTarget.h"
#include "TypedTextRules.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyAssigner, RenameDialogOffersTheCutDefaultOrTheStoredNameOfAnAssignedKey)
{
    struct Case {
        const wchar_t* defaultName;
        KeyNameField field;
        int storedType;
        const wchar_t* storedName;
        const wchar_t* message;
        const wchar_t* nameField;
    };
    const Case cases[] = {
        {L"Volume Down", KeyNameField::DefaultName, FUN_TYPE_TEXT, L"old", L"Volume Down", L"Volume Down"},
        {L"Safely Remove Drives!!", KeyNameField::DefaultName, FUN_TYPE_NONE, L"", L"Safely Remove Drives",
         L"Safely Remove Drives"},
        {L"hello", KeyNameField::StoredName, FUN_TYPE_NONE, L"stale", L"hello", L"hello"},
        {L"hello", KeyNameField::StoredName, FUN_TYPE_FUNCTION, L"Mute", L"hello", L"Mute"},
        {L"hello", KeyNameField::StoredName, FUN_TYPE_SHORTCUT, L"", L"hello", L""},
        {L"", KeyNameField::StoredName, FUN_TYPE_NONE, L"", L"", L""},
    };
    for (const Case& c : cases) {
        const RenameTexts texts = RenameDialogTexts(c.defaultName, c.field, c.storedType, c.storedName);
        EXPECT_EQ(texts.message, c.message) << c.defaultName;
        EXPECT_EQ(texts.nameField, c.nameField) << c.defaultName << " / " << c.storedType;
    }
}

TEST(KeyAssigner, ChosenNameFallsBackToTheMessageAndFitsTheRecord)
{
    const std::wstring long70(70, L'n');
    struct Case {
        std::wstring field, message;
        bool trim;
        std::wstring name;
    };
    const Case cases[] = {
        {L"typed", L"default", false, L"typed"},
        {L"", L"default", false, L"default"},
        {L"  two blanks ", L"x", false, L"  two blanks "},
        {L"  two blanks ", L"x", true, L"two blanks"},
        {L"   ", L"x", true, L""},
        {L"a\r\nb", L"x", false, L"ab"},
        {long70, L"x", false, std::wstring(63, L'n')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChosenKeyName(c.field, c.message, c.trim), c.name) << c.field.size();
}

TEST(ShortcutTarget, NameFolderAndRefusedPicks)
{
    struct Case {
        std::wstring path, name, folder;
        bool refused;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\App\\app.exe", L"app", L"C:\\Program Files\\App\\", false},
        {L"C:\\dir\\archive.tar.gz", L"archive.tar", L"C:\\dir\\", false},
        {L"D:\\Games", L"Games", L"D:\\", false},
        {L"C:\\my.dir\\file", L"file", L"C:\\my.dir\\", false},
        {L"C:/a/b.txt", L"b", L"C:/a/", false},
        {L"C:\\dir\\.profile", L"", L"C:\\dir\\", true},
        {L"D:\\", L"", L"D:\\", true},
        {L"file.exe", L"", L"", true},
        {L"", L"", L"", true},
        {L"C:\\" + std::wstring(254, L'x') + L".e", std::wstring(254, L'x'), L"C:\\", false},
        {L"C:\\" + std::wstring(255, L'x') + L".e", std::wstring(255, L'x'), L"C:\\", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractTargetName(c.path), c.name) << c.path.size();
        EXPECT_EQ(ExtractTargetFolder(c.path), c.folder) << c.path.size();
        EXPECT_EQ(IsRefusedTarget(c.path), c.refused) << c.path.size();
    }
}

TEST(TypedText, TypedKeysArePrintableAsciiWithinTheBudgetAndBackspaceAlways)
{
    struct Case {
        wchar_t key;
        std::size_t both;
        bool accepted;
    };
    const Case cases[] = {
        {L'a', 0, true},     {L' ', 49, true},     {L'~', 10, true},      {L'0', 30, true},
        {L'a', 50, false},   {L'\b', 50, true},    {L'\b', 0, true},      {L'\r', 0, false},
        {0x16, 0, false},    {0x01, 0, false},     {0x7F, 0, false},      {0xE9, 0, false},
        {0x1F, 0, false},    {0x4E2D, 0, false},   {L'!', 51, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AcceptsTypedKey(c.key, c.both), c.accepted) << int(c.key) << " with " << c.both;
}

TEST(TypedText, ChangedTextLosesWhatCannotBeTypedAndWhatPassesTheBudgetBeforeTheCaret)
{
    struct Case {
        std::wstring text;
        std::size_t caret, other;
        std::wstring kept;
        std::size_t keptCaret;
    };
    const Case cases[] = {
        {L"hello", 5, 0, L"hello", 5},
        {L"h\u00e9llo\r\n", 7, 0, L"hllo", 4},
        {L"ab\u4e2dcd", 3, 0, L"abcd", 2},
        {std::wstring(40, L'a') + L"PASTED", 46, 10, std::wstring(40, L'a'), 40},
        {L"xxPASTEDyy", 8, 44, L"xxPAyy", 4},
        {L"PASTEDyyyy", 6, 45, L"Pyyyy", 1},
        {L"PASTEDyyyy", 2, 45, L"STEDy", 0},
        {L"abc", 3, 60, L"", 0},
        {std::wstring(60, L'z'), 0, 0, std::wstring(50, L'z'), 0},
    };
    for (const Case& c : cases) {
        const FilteredText filtered = FilterTypedText(c.text, c.caret, c.other);
        EXPECT_EQ(filtered.text, c.kept) << c.text.size() << "/" << c.other;
        EXPECT_EQ(filtered.caret, c.keptCaret) << c.text.size() << "/" << c.other;
    }
}

TEST(TypedText, WordsLeftAndStoredTexts)
{
    EXPECT_EQ(WordsLeftText(L"%d word(s) left", 0), L"50 word(s) left");
    EXPECT_EQ(WordsLeftText(L"%d word(s) left", 50), L"0 word(s) left");
    EXPECT_EQ(WordsLeftText(L"noch %d von %d", 20), L"noch 30 von %d") << "only the first is replaced";
    EXPECT_EQ(WordsLeftText(L"%s left", 3), L"%s left") << "a translation without %d stays as it is";

    // fun.cfg is edited by hand: a stored text passes the filter and the budget of a typed one.
    struct Case {
        std::wstring first, second;
        int count;
        std::wstring shown;
    };
    const Case cases[] = {
        {L"first", L"left over", 1, L"first|"}, // a stale value 2 is no second text
        {L"first", L"left over", 2, L"first|left over"},
        {std::wstring(400, L'a'), L"", 1, std::wstring(50, L'a') + L"|"},
        {L"H\u00e9llo w\u00f6rld \u2713 \u65e5\u672c", L"", 1, L"Hllo wrld  |"},
        {std::wstring(30, L'a'), L"b\tb" + std::wstring(30, L'b'), 2,
         std::wstring(30, L'a') + L"|" + std::wstring(20, L'b')},
    };
    for (const Case& c : cases) {
        _FunData record;
        CopyField(record.Value[0], c.first);
        CopyField(record.Value[1], c.second);
        record.Count = c.count;
        const TypedTexts texts = StoredTypedTexts(record);
        EXPECT_EQ(texts.first + L"|" + texts.second, c.shown) << c.first.size() << " + " << c.second.size();
    }
}

} // namespace
