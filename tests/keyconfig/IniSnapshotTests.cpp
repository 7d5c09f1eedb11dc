#include "IniFile.h"
#include "IniSnapshot.h"
#include "ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Sections, keys and values the private-profile reader treats in some special way.
const std::wstring kTricky = L"orphan=before any section\r\n[Keys]\r\nplain=value\r\n"
                             L"  spaced  =   padded value  \t\r\nUPPER=case\r\ndup=first\r\ndup=second\r\n"
                             L"noequals\r\nempty=\r\nquoted=\" kept blanks \"\r\nsingle='x'\r\nlonequote=\"\r\n"
                             L"mixed='x\"\r\ninner=a \"b\" c\r\nequals=a=b\r\n"
                             L"long=0123456789012345678901234567890123456789\r\nlongquoted=\"0123456789\"\r\n"
                             L";comment=5\r\nhex=0x1a0023a\r\nnegative= -4\r\ntext=12abc\r\n"
                             L"unicode=\x0422\x0435\x0441\x0442\r\n[Keys]\r\nsecond=section\r\n"
                             L"[ Spaced ]\r\ninside=brackets\r\n[unclosed\r\nafter=unclosed\r\n"
                             L"[Tail]\nlf=only\nlast=no line end";

std::string Encoded(const std::wstring& text, UINT codePage)
{
    std::string bytes(text.size() * 3, '\0');
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                      static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(n));
    return bytes;
}

std::string Utf16(const std::wstring& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

} // namespace

TEST(IniSnapshot, ReadsWhatThePrivateProfileReaderReads)
{
    ScratchFolder folder;
    const std::vector<std::pair<std::wstring, std::string>> files = {
        {L"utf16.ini", Utf16(kTricky, false)},
        {L"utf16be.ini", Utf16(kTricky, true)},
        {L"utf8.ini", "\xEF\xBB\xBF" + Encoded(kTricky, CP_UTF8)},
        {L"ascii.ini", Encoded(kTricky, 20127)},
        {L"empty.ini", ""},
    };
    std::vector<std::pair<std::wstring, std::wstring>> lookups = {
        {L"keys", L"UPPER"}, {L"KEYS", L"plain"}, {L"", L"orphan"}, {L"", L"plain"}, {L"Spaced", L"inside"},
        {L" Spaced ", L"inside"}, {L"Spaced", L"after"}, {L"Spaced", L"[unclosed"}, {L"unclosed", L"after"},
        {L"Tail", L"lf"}, {L"Tail", L"last"}, {L"Absent", L"plain"}};
    for (const wchar_t* key :
         {L"orphan", L"plain", L"spaced", L" spaced ", L"upper", L"dup", L"noequals", L"empty", L"quoted",
          L"single", L"lonequote", L"mixed", L"inner", L"equals", L"long", L"longquoted", L";comment", L"hex",
          L"negative", L"text", L"unicode", L"second", L"absent"})
        lookups.emplace_back(L"Keys", key);
    for (const auto& [name, bytes] : files) {
        folder.WriteBytes(name, bytes.data(), bytes.size());
        const IniFile system(folder.File(name));
        const IniSnapshot snapshot(folder.File(name));
        // Cuts matter only once; every encoding must give the same texts and numbers.
        const std::vector<std::size_t> capacities =
            name == L"utf16.ini" ? std::vector<std::size_t>{1, 4, 10, 11, 12, 260} : std::vector<std::size_t>{260};
        for (const auto& [section, key] : lookups) {
            SCOPED_TRACE(testing::PrintToString(name + L" [" + section + L"] " + key));
            for (const std::size_t capacity : capacities)
                EXPECT_EQ(snapshot.ReadString(section, key, L"def", capacity),
                          system.ReadString(section, key, L"def", capacity));
            EXPECT_EQ(snapshot.ReadInteger(section, key, -7), system.ReadInteger(section, key, -7));
        }
    }
    // A missing file reads like an empty one.
    const IniSnapshot missing(folder.File(L"missing.ini"));
    EXPECT_EQ(missing.ReadString(L"Keys", L"plain", L"def", 260), L"def");
}
