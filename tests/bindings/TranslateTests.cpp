#include "RoRarodAzavDll.h"
#include "Translate.h"

#include "Fakes.h"
#include "ProgramFolder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// What the fake translation library saw and what it answers, call by call.
struct TranslatorLog {
    struct Answer {
        DWORD count;
        std::wstring text; // written up to capacity - 1, then a NUL
    };
    std::deque<Answer> answers;
    std::vector<DWORD> capacities;
    std::vector<std::wstring> sources;
    bool fillWithoutNul = false;
    int langNameCalls = 0;
};

TranslatorLog g_translator;

DWORD WINAPI FakeTranslateStr(const wchar_t* source, wchar_t* buffer, DWORD capacity)
{
    g_translator.capacities.push_back(capacity);
    g_translator.sources.emplace_back(source);
    if (g_translator.fillWithoutNul) {
        std::fill(buffer, buffer + capacity, L'x');
        return 5;
    }
    TranslatorLog::Answer answer{static_cast<DWORD>(g_translator.sources.back().size() + 1000000), L""};
    if (!g_translator.answers.empty()) {
        answer = g_translator.answers.front();
        g_translator.answers.pop_front();
    }
    const std::size_t n = std::min<std::size_t>(answer.text.size(), capacity - 1);
    std::copy(answer.text.begin(), answer.text.begin() + n, buffer);
    buffer[n] = L'\0';
    return answer.count;
}

DWORD WINAPI FakeGetLangName()
{
    ++g_translator.langNameCalls;
    return 0;
}

Exports TranslatorExports(const std::string& without = {})
{
    Exports exports{{"VnTranslateStr", AsProc(&FakeTranslateStr)}, {"VnGetLangName", AsProc(&FakeGetLangName)}};
    exports.erase(without);
    return exports;
}

class TranslateTest : public testing::Test {
protected:
    void SetUp() override { g_translator = TranslatorLog{}; }

    // A binding on the fake library, loaded as the process's instance would be.
    RoRarodAzavDll& Loaded()
    {
        loader_.AddLibrary(binding_.GetDllPath(), TranslatorExports());
        EXPECT_FALSE(binding_.Init());
        return binding_;
    }

    void Answer(DWORD count, std::wstring text) { g_translator.answers.push_back({count, std::move(text)}); }

    FakeModuleLoader loader_;
    std::vector<std::wstring> failedChecks_;
    RoRarodAzavDll binding_{loader_, [this](const std::wstring& check) { failedChecks_.push_back(check); }};
};

TEST_F(TranslateTest, LibraryLiesBesideTheExecutable)
{
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.erase(folder.find_last_of(L'\\') + 1);

    EXPECT_EQ(binding_.GetDllPath(), folder + L"RoRarodAzav.dll");
}

TEST_F(TranslateTest, WithoutTheLibraryTheEnglishTextComesBack)
{
    EXPECT_TRUE(binding_.Init());

    EXPECT_EQ(loader_.existQueries, std::vector<std::wstring>{binding_.GetDllPath()});
    EXPECT_TRUE(loader_.loads.empty());
    EXPECT_EQ(binding_.Translate(L"Apply"), L"Apply");
    EXPECT_EQ(binding_.Translate(L""), L"");
}

TEST_F(TranslateTest, LibraryThatDoesNotLoadGivesTheEnglishTextSilently)
{
    loader_.AddBrokenFile(binding_.GetDllPath());

    EXPECT_TRUE(binding_.Init());

    EXPECT_EQ(loader_.loads.size(), 1u);
    EXPECT_TRUE(failedChecks_.empty());
    EXPECT_EQ(binding_.Translate(L"Warning"), L"Warning");
}

TEST_F(TranslateTest, MissingEntryPointFailsTheCheckAndNothingIsCalled)
{
    for (const char* missing : {"VnGetLangName", "VnTranslateStr"}) {
        SCOPED_TRACE(missing);
        FakeModuleLoader loader;
        std::vector<std::wstring> checks;
        RoRarodAzavDll binding(loader, [&](const std::wstring& check) { checks.push_back(check); });
        const HMODULE library = loader.AddLibrary(binding.GetDllPath(), TranslatorExports(missing));

        EXPECT_TRUE(binding.Init());

        EXPECT_EQ(checks, std::vector<std::wstring>{L"m_pVnTranslateStr != NULL && m_pVnGetLangName != NULL"});
        EXPECT_EQ(loader.frees, std::vector<HMODULE>{library});
        EXPECT_EQ(binding.Translate(L"Save"), L"Save");
        EXPECT_TRUE(g_translator.capacities.empty());
    }
}

TEST_F(TranslateTest, PathComesFromTheVirtualGetDllPath)
{
    class Elsewhere final : public RoRarodAzavDll {
    public:
        using RoRarodAzavDll::RoRarodAzavDll;
        std::wstring GetDllPath() override { return L"C:\\elsewhere\\lang.dll"; }
    };
    Elsewhere binding(loader_, nullptr);
    loader_.AddLibrary(L"C:\\elsewhere\\lang.dll", TranslatorExports());
    Answer(3, L"Neu");

    EXPECT_FALSE(binding.Init());
    EXPECT_EQ(binding.Translate(L"New"), L"Neu");
}

TEST_F(TranslateTest, TranslationAsksTheLibraryEveryTimeButLoadsOnce)
{
    RoRarodAzavDll& binding = Loaded();
    Answer(9, L"Speichern");
    Answer(9, L"Speichern");

    EXPECT_EQ(binding.Translate(L"Save"), L"Speichern");
    EXPECT_EQ(binding.Translate(L"Save"), L"Speichern");

    EXPECT_EQ(loader_.loads.size(), 1u);
    EXPECT_EQ(g_translator.sources, (std::vector<std::wstring>{L"Save", L"Save"}));
    EXPECT_EQ(g_translator.langNameCalls, 0);
    EXPECT_TRUE(loader_.frees.empty());
}

TEST_F(TranslateTest, CountOfCapacityLessTwoFitsAndCapacityLessOneAsksAgain)
{
    RoRarodAzavDll& binding = Loaded();
    const std::wstring fits(1022, L'a'), tight(1023, L'b');
    Answer(1022, fits);
    EXPECT_EQ(binding.Translate(L"x"), fits);
    EXPECT_EQ(g_translator.capacities, std::vector<DWORD>{1024});

    g_translator.capacities.clear();
    Answer(1023, tight);
    Answer(1023, tight);
    EXPECT_EQ(binding.Translate(L"x"), tight);
    EXPECT_EQ(g_translator.capacities, (std::vector<DWORD>{1024, 2048}));
}

TEST_F(TranslateTest, LongTranslationGrowsTheBufferUntilItFits)
{
    RoRarodAzavDll& binding = Loaded();
    std::wstring text;
    for (int i = 0; i < 2999; ++i)
        text += static_cast<wchar_t>(L'A' + i % 26);
    Answer(3000, text);
    Answer(3000, text);
    Answer(2999, text);

    EXPECT_EQ(binding.Translate(L"x"), text);
    EXPECT_EQ(g_translator.capacities, (std::vector<DWORD>{1024, 2048, 3072}));
}

TEST_F(TranslateTest, LibraryThatNeverHasRoomGivesUpAtTheLimit)
{
    RoRarodAzavDll& binding = Loaded();

    EXPECT_EQ(binding.Translate(L"Exit"), L"Exit");

    ASSERT_EQ(g_translator.capacities.size(), 64u);
    EXPECT_EQ(g_translator.capacities.front(), 1024u);
    EXPECT_EQ(g_translator.capacities.back(), 65536u);
}

TEST_F(TranslateTest, UnterminatedAnswerIsCutAtTheBufferEnd)
{
    RoRarodAzavDll& binding = Loaded();
    g_translator.fillWithoutNul = true;

    const std::wstring text = binding.Translate(L"On");
    EXPECT_EQ(text.size(), 1023u);
    EXPECT_EQ(text.find_first_not_of(L'x'), std::wstring::npos);
}

TEST(TranslateFunction, UsesOneProcessWideBinding)
{
    EXPECT_EQ(&RoRarodAzavDll::GetInstance(), &RoRarodAzavDll::GetInstance());
    // No translation library lies beside the test program.
    EXPECT_EQ(Translate(L"Can not load"), L"Can not load");
}

} // namespace
