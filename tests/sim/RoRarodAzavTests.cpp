#include "SimTestSupport.h"

#include <gmock/gmock.h>

#include <memory>

using namespace simtest;
using testing::ElementsAre;

namespace {

using TranslateFn = DWORD(WINAPI*)(const wchar_t* source, wchar_t* buffer, DWORD capacity);
using LangNameFn = DWORD(WINAPI*)(wchar_t* buffer, DWORD capacity);

// The library reads Translation.ini beside itself, so each test gets a program folder of its own.
class RoRarodAzavTest : public StateFolderTest {
protected:
    ScratchFolder program;

    void SetUp() override
    {
        ASSERT_TRUE(CopyFileW((DistFolder() + L"RoRarodAzav.dll").c_str(),
                              (program.Path() + L"RoRarodAzav.dll").c_str(), FALSE));
    }

    void TearDown() override { dll.reset(); }

    void WriteTranslations(const std::string& bytes) { WriteBytes(program.Path() + L"Translation.ini", bytes); }

    void Load()
    {
        dll = std::make_unique<Library>(program.Path() + L"RoRarodAzav.dll");
        ASSERT_TRUE(dll->Loaded());
        translate = dll->Get<TranslateFn>("VnTranslateStr");
        langName = dll->Get<LangNameFn>("VnGetLangName");
        ASSERT_NE(translate, nullptr);
        ASSERT_NE(langName, nullptr);
    }

    std::wstring Translate(const std::wstring& text)
    {
        std::vector<wchar_t> buffer(1024);
        const DWORD count = translate(text.c_str(), buffer.data(), 1024);
        EXPECT_LT(count, 1023u) << Utf8(text);
        return buffer.data();
    }

    std::wstring LanguageName()
    {
        wchar_t buffer[64];
        const DWORD count = langName(buffer, 64);
        EXPECT_EQ(count, std::wstring(buffer).size());
        return buffer;
    }

    std::unique_ptr<Library> dll;
    TranslateFn translate = nullptr;
    LangNameFn langName = nullptr;
};

TEST_F(RoRarodAzavTest, WithoutTranslationFileTheEnglishTextComesBack)
{
    Load();
    EXPECT_EQ(Translate(L"Load"), L"Load");
    EXPECT_EQ(Translate(L""), L"");
    EXPECT_EQ(LanguageName(), L"English");
    EXPECT_THAT(CallLog(), ElementsAre("RoRarodAzav VnTranslateStr \"Load\" buf 1024",
                                       "RoRarodAzav VnTranslateStr \"\" buf 1024", "RoRarodAzav VnGetLangName buf 64"));
}

TEST_F(RoRarodAzavTest, TranslatesOnlyExactKeysOfTheTextSection)
{
    WriteTranslations("\xEF\xBB\xBF"
                      "[Language]\r\n"
                      "Name=Deutsch\r\n"
                      "[Other]\r\n"
                      "Load=Falsch\r\n"
                      "Elsewhere=Anderswo\r\n"
                      "[text]\r\n"
                      "; a comment=not a key\r\n"
                      "Load = Laden\r\n"
                      "On=Ein\r\n"
                      "ON=AN\r\n"
                      "Open file=Datei \xC3\xB6" "ffnen\r\n"
                      "\"  padded  \"=\"  gepolstert \"\r\n"
                      "a\\=b=c\r\n"
                      "Line\\nbreak=Zeilen\\numbruch\r\n"
                      "%d ms left=noch %d ms\n");
    Load();
    EXPECT_EQ(Translate(L"Load"), L"Laden");
    EXPECT_EQ(Translate(L"On"), L"Ein");
    EXPECT_EQ(Translate(L"ON"), L"AN");
    EXPECT_EQ(Translate(L"on"), L"on");
    EXPECT_EQ(Translate(L"Open file"), L"Datei \u00F6ffnen");
    EXPECT_EQ(Translate(L"  padded  "), L"  gepolstert ");
    EXPECT_EQ(Translate(L"a=b"), L"c");
    EXPECT_EQ(Translate(L"Line\nbreak"), L"Zeilen\numbruch");
    EXPECT_EQ(Translate(L"%d ms left"), L"noch %d ms");
    EXPECT_EQ(Translate(L"Elsewhere"), L"Elsewhere");
    EXPECT_EQ(Translate(L"; a comment"), L"; a comment");
    EXPECT_EQ(LanguageName(), L"Deutsch");
}

TEST_F(RoRarodAzavTest, ReadsUtf16FilesAndPicksUpEditsWhileLoaded)
{
    const std::wstring text = L"[Text]\r\nSave=Speichern\r\n";
    WriteTranslations(std::string("\xFF\xFE") +
                      std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
    Load();
    EXPECT_EQ(Translate(L"Save"), L"Speichern");

    WriteTranslations("[Text]\nSave=Sichern\n");
    EXPECT_EQ(Translate(L"Save"), L"Sichern");
}

TEST_F(RoRarodAzavTest, TooSmallBufferGetsTheFullLengthAndATerminatedPrefix)
{
    WriteTranslations("[Text]\nLong=" + std::string(3000, 'x') + "\n");
    Load();

    std::vector<wchar_t> buffer(4000, L'#');
    EXPECT_EQ(translate(L"Long", buffer.data(), 1024), 3000u);
    EXPECT_EQ(std::wstring(buffer.data()), std::wstring(1023, L'x'));
    EXPECT_EQ(buffer[1024], L'#');

    EXPECT_EQ(translate(L"Long", buffer.data(), 3072), 3000u);
    EXPECT_EQ(std::wstring(buffer.data()), std::wstring(3000, L'x'));

    std::fill(buffer.begin(), buffer.end(), L'#');
    EXPECT_EQ(translate(L"Long", buffer.data(), 0), 3000u);
    EXPECT_EQ(buffer[0], L'#');
    EXPECT_EQ(translate(L"Long", buffer.data(), 1), 3000u);
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_EQ(buffer[1], L'#');
}

TEST_F(RoRarodAzavTest, LoggedTextsAreQuotedAndEscaped)
{
    Load();
    wchar_t buffer[32];
    translate(L"Say \"hi\"\\\n\t\x01", buffer, 32);
    translate(nullptr, buffer, 32);
    EXPECT_THAT(CallLog(), ElementsAre("RoRarodAzav VnTranslateStr \"Say \\\"hi\\\"\\\\\\n\\t\\x01\" buf 32",
                                       "RoRarodAzav VnTranslateStr null buf 32"));
    EXPECT_EQ(std::wstring(buffer), L"");
}

}  // namespace
