#include "FunctionTable.h"
#include "FunData.h"
#include "IniFile.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

TEST(FunctionTable, IdsFollowTheEntryNumbersUpToCount)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"FunKeyMap.cfg", "[Info]\r\ncount=3\r\n"
                                       "[FunKey]\r\n"
                                       "1_dis=Play/Pause\r\n1_x=300\r\n1_y=128\r\n1_code=786637\r\n"
                                       "2_dis=Win Key Lock\r\n2_x=400\r\n2_y=400\r\n2_code=-1\r\n"
                                       "3_dis=No Code\r\n"
                                       "4_dis=Beyond Count\r\n4_code=5\r\n");
    LoadFunKeyMap();
    EXPECT_EQ(FunKeyCount(), 3);
    ASSERT_EQ(FunKeyMap().size(), 3u);

    const _FunKey& first = FunKeyMap().at(400);
    EXPECT_EQ(first.Id, 400);
    EXPECT_EQ(std::wstring(FieldText(first.Name)), L"Play/Pause");
    EXPECT_EQ(first.X, 300);
    EXPECT_EQ(first.Y, 128);
    EXPECT_EQ(first.Code, 786637);
    EXPECT_EQ(first.Control, nullptr);

    EXPECT_EQ(FunKeyMap().at(401).Code, -1);
    EXPECT_EQ(FunKeyMap().at(402).Code, 0);
    EXPECT_EQ(FunKeyMap().at(402).X, 0);

    EXPECT_EQ(GetFunctionCode(400), 786637);
    EXPECT_EQ(GetFunctionCode(402), 0);
    EXPECT_EQ(GetFunctionCode(403), std::nullopt);
    EXPECT_EQ(GetFunctionCode(399), std::nullopt);
    EXPECT_EQ(FunKeyMap().size(), 3u);
}

TEST(FunctionTable, NamesAreTranslatedAndKeptWithinTheField)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"FunKeyMap.cfg", "[Info]\r\ncount=2\r\n[FunKey]\r\n1_dis=Mute\r\n2_dis=Stop\r\n");
    LoadFunKeyMap([](const std::wstring& english) {
        return english == L"Mute" ? std::wstring(L"Stumm") : english + std::wstring(100, L'!');
    });
    EXPECT_EQ(std::wstring(FieldText(FunKeyMap().at(400).Name)), L"Stumm");
    const std::wstring stop(FieldText(FunKeyMap().at(401).Name));
    EXPECT_EQ(stop.size(), 63u);
    EXPECT_EQ(stop.substr(0, 5), L"Stop!");
}

TEST(FunctionTable, ASecondLoadLeavesOnlyItsOwnEntries)
{
    ScratchFolder folder;
    folder.WriteAnsi(L"FunKeyMap.cfg", "[Info]\r\ncount=3\r\n[FunKey]\r\n1_code=1\r\n2_code=2\r\n3_code=3\r\n");
    LoadFunKeyMap();
    ASSERT_EQ(FunKeyMap().size(), 3u);

    folder.WriteAnsi(L"FunKeyMap.cfg", "[Info]\r\ncount=1\r\n[FunKey]\r\n1_code=7\r\n");
    IniFile(folder.File(L"FunKeyMap.cfg")).Flush();
    LoadFunKeyMap();
    EXPECT_EQ(FunKeyCount(), 1);
    ASSERT_EQ(FunKeyMap().size(), 1u);
    EXPECT_EQ(GetFunctionCode(400), 7);
    EXPECT_EQ(GetFunctionCode(401), std::nullopt);
}

TEST(FunctionTable, MissingFileGivesAnEmptyTable)
{
    ScratchFolder folder;
    LoadFunKeyMap();
    EXPECT_EQ(FunKeyCount(), 0);
    EXPECT_TRUE(FunKeyMap().empty());
    EXPECT_EQ(GetFunctionCode(400), std::nullopt);
    EXPECT_TRUE(FunKeyMap().empty());
}

TEST(FunctionTable, AHandEditedCountCreatesOnlyThePresentEntries)
{
    ScratchFolder folder;
    for (const char* count : {"2147483647", "300000"}) {
        folder.WriteAnsi(L"FunKeyMap.cfg", std::string("[Info]\r\ncount=") + count + "\r\n[FunKey]\r\n1_dis=Mute\r\n"
                                               "31_y=7\r\n250000_code=9\r\n0_code=1\r\n-1_code=2\r\n");
        IniFile(folder.File(L"FunKeyMap.cfg")).Flush();
        const DWORD start = GetTickCount();
        LoadFunKeyMap();
        EXPECT_LT(GetTickCount() - start, 2000u) << count;
        EXPECT_EQ(FunKeyCount(), std::stoi(count));
        ASSERT_EQ(FunKeyMap().size(), 3u) << count;
        EXPECT_EQ(std::wstring(FieldText(FunKeyMap().at(400).Name)), L"Mute");
        EXPECT_EQ(FunKeyMap().at(430).Y, 7);
        EXPECT_EQ(GetFunctionCode(250399), 9);
    }
}
