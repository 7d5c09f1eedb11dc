#include "ProgramFolderIni.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingFile, ShipsTheDefaults)
{
    const ProgramFolderIni ini(L"Setting.ini");
    ASSERT_TRUE(ini.Exists());
    EXPECT_EQ(ini.Sections(), (std::vector<std::wstring>{L"Info"}));
    EXPECT_EQ(ini.Text(L"Info", L"Version"), L"1.00.00");
    EXPECT_EQ(ini.Text(L"Info", L"Switch"), L"1");
    EXPECT_EQ(ini.Text(L"Info", L"Time"), L"100");
    EXPECT_EQ(ini.Text(L"Info", L"TimeType"), L"0");
    EXPECT_EQ(ini.Text(L"Info", L"TW_Warning"), L"0");
}

TEST(ShippedData, FilesArePlainAscii)
{
    for (const wchar_t* name :
         {L"KeyMap.cfg", L"FunKeyMap.cfg", L"KeyboardValue.cfg", L"Setting.ini"}) {
        const ProgramFolderIni ini(name);
        SCOPED_TRACE(testing::PrintToString(ini.Path()));
        const std::string bytes = ini.Bytes();
        ASSERT_FALSE(bytes.empty());
        for (const char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte == '\r' || byte == '\n' || (byte >= 0x20 && byte < 0x7F))
                << "byte 0x" << std::hex << static_cast<unsigned>(byte);
        }
    }
}

} // namespace
