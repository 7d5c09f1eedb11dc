// The key pages' rules that need no window: the rename dialog's texts and the chosen name.

#include "FunData.h"
#include "KeyAssigner.h"

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

} // namespace
