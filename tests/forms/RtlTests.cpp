#include <gtest/gtest.h>

#include <windows.h>

#include "forms/Color.h"
#include "forms/Exceptions.h"
#include "forms/Rtl.h"
#include "forms/Stream.h"

using namespace forms;

TEST(Rtl, StrToIntAcceptsWhatTheFieldsHold)
{
    EXPECT_EQ(StrToInt(L"250"), 250);
    EXPECT_EQ(StrToInt(L"  -12"), -12);
    EXPECT_EQ(StrToInt(L"+7"), 7);
    EXPECT_EQ(StrToInt(L"0x1F"), 31);
    EXPECT_EQ(StrToInt(L"$ff"), 255);
    EXPECT_EQ(StrToInt(L"2147483647"), 2147483647);
    EXPECT_EQ(StrToInt(L"-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt(L"0xFFFFFFFF"), -1);
}

TEST(Rtl, StrToIntRejectsEmptyPartialAndOverflowingText)
{
    for (const wchar_t* text : {L"", L" ", L"12a", L"1 ", L"-", L"0x", L"2147483648", L"0x100000000", L"1.5"})
        EXPECT_FALSE(TryStrToInt(text).has_value()) << WideToUtf8(text);
    try {
        StrToInt(L"");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), L"'' is not a valid integer value");
    }
    EXPECT_EQ(StrToIntDef(L"x", 10), 10);
}

TEST(Rtl, TrimRemovesBlanksAndControlCharactersOnly)
{
    EXPECT_EQ(Trim(L" \t a b \r\n"), L"a b");
    EXPECT_EQ(Trim(L"   "), L"");
    EXPECT_EQ(TrimLeft(L"  x "), L"x ");
    EXPECT_EQ(TrimRight(L"  x "), L"  x");
    EXPECT_EQ(Trim(L"\x00A0x"), L"\x00A0x");  // a no-break space is text
}

TEST(Rtl, PathPartsKeepTheSeparator)
{
    EXPECT_EQ(ExtractFilePath(L"C:\\Program\\Tastro.exe"), L"C:\\Program\\");
    EXPECT_EQ(ExtractFilePath(L"C:run.exe"), L"C:");
    EXPECT_EQ(ExtractFilePath(L"run.exe"), L"");
    EXPECT_EQ(ExtractFileName(L"C:\\a\\b.mck"), L"b.mck");
    EXPECT_EQ(ExtractFileExt(L"C:\\a.b\\c"), L"");
    EXPECT_EQ(ExtractFileExt(L"C:\\a\\c.tar.gz"), L".gz");
}

TEST(Rtl, FileExistsIsFalseForFolders)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t file[MAX_PATH];
    GetTempFileNameW(folder, L"frm", 0, file);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(DirectoryExists(folder));
    DeleteFileW(file);
    EXPECT_FALSE(FileExists(file));
}

TEST(Rtl, FormatTakesWideStringsWithLs)
{
    EXPECT_EQ(Format(L"%d_status", 12), L"12_status");
    EXPECT_EQ(Format(L"0x%x", 0x2A0B), L"0x2a0b");
    EXPECT_EQ(Format(L"[%ls]%c", L"F10", L'!'), L"[F10]!");
    const std::wstring longText(1000, L'x');
    EXPECT_EQ(Format(L"%ls", longText.c_str()), longText);
}

TEST(Rtl, TextConversionsRoundTrip)
{
    const std::wstring text = L"Stra\x00DF" L"e \x0416";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToAnsi(L"abc"), "abc");
    EXPECT_EQ(IntToHex(0x1F, 4), L"001F");
}

TEST(Color, SystemColoursResolveThroughTheSource)
{
    auto previous = SetSysColorSource([](int index) -> COLORREF { return 0x010000u * static_cast<COLORREF>(index); });
    EXPECT_EQ(ColorToRGB(0xFF000011u), 0x110000u);  // COLOR_GRAYTEXT
    EXPECT_EQ(ColorToRGB(clWindowText), 0x080000u);
    EXPECT_EQ(ColorToRGB(clBlack), 0u);
    EXPECT_EQ(ColorToRGB(clWhite), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(0x2730B8u), 0x2730B8u);
    EXPECT_EQ(ColorToRGB(clNone), clNone);  // left for the caller to test
    EXPECT_TRUE(IsSystemColor(clGrayText));
    EXPECT_FALSE(IsSystemColor(clNone));
    SetSysColorSource(std::move(previous));
    EXPECT_EQ(ColorToRGB(clGrayText), GetSysColor(COLOR_GRAYTEXT));
}

TEST(FileStream, ReadsToTheEndAndReportsAMissingFile)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH];
    GetTempFileNameW(folder, L"stm", 0, path);
    const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "12345", 5, &written, nullptr);
    CloseHandle(file);
    {
        TFileStream stream(path, fmOpenRead | fmShareDenyNone);
        // Deny-none: another reader and a writer may open it meanwhile.
        const HANDLE other = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(other, INVALID_HANDLE_VALUE);
        CloseHandle(other);
        EXPECT_EQ(stream.Size(), 5);
        char buffer[8] = {};
        EXPECT_EQ(stream.Read(buffer, 3), 3);
        EXPECT_EQ(std::string(buffer, 3), "123");
        EXPECT_EQ(stream.Read(buffer, 8), 2);
        EXPECT_EQ(stream.Read(buffer, 8), 0);
    }
    DeleteFileW(path);
    try {
        TFileStream missing(path, fmOpenRead | fmShareDenyNone);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind(std::wstring(L"Cannot open file \"") + path + L"\". ", 0), 0u);
        EXPECT_GT(e.Message().size(), std::wstring(path).size() + 20);  // the system's reason follows
    }
}
