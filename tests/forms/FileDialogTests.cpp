#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "WindowTestSupport.h"
#include "forms/FileDialog.h"
#include "forms/Timer.h"

using namespace forms;
using namespace formtest;

namespace {

struct DialogSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
        reinterpret_cast<DialogSearch*>(context)->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM context)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (IsWindowVisible(window) && _wcsicmp(name, L"Edit") == 0) {
        reinterpret_cast<DialogSearch*>(context)->found = window;
        return FALSE;
    }
    return TRUE;
}

// Answers the dialog once it is up: `answer` runs with its window.
class DialogDriver {
public:
    template <class Answer>
    explicit DialogDriver(Answer answer) : timer_(nullptr)
    {
        timer_.SetInterval(100);
        timer_.OnTimer = [this, answer](TObject*) {
            DialogSearch search;
            EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&search));
            if (!search.found || ++tries_ < 3)
                return;
            timer_.SetEnabled(false);
            answer(search.found);
        };
    }

private:
    TTimer timer_;
    int tries_ = 0;
};

}  // namespace

class FileDialogTest : public WindowTest {};

TEST_F(FileDialogTest, CancelledDialogReturnsFalseAndKeepsTheName)
{
    TFileOpenDialog dialog(nullptr);
    dialog.SetOptions(fdoFileMustExist);
    dialog.FileTypes().Clear();
    for (const wchar_t* mask : {L"*.*", L"*.exe", L"*.pdf", L"*.doc", L"*.lnk"})
        dialog.FileTypes().Add(mask, mask);
    EXPECT_EQ(dialog.FileTypes().Count(), 5);
    DialogDriver cancel([](HWND window) { PostMessageW(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FileName(), L"");
}

TEST_F(FileDialogTest, TypedNameOfAnExistingFileIsChosen)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH];
    GetTempFileNameW(folder, L"pick", 0, path);
    TFileOpenDialog dialog(nullptr);
    dialog.SetOptions(fdoFileMustExist);
    DialogDriver choose([&](HWND window) {
        DialogSearch edit;
        EnumChildWindows(window, FindEdit, reinterpret_cast<LPARAM>(&edit));
        ASSERT_NE(edit.found, nullptr);
        SendMessageW(edit.found, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(_wcsicmp(dialog.FileName().c_str(), path), 0) << std::string(dialog.FileName().begin(), dialog.FileName().end());
    DeleteFileW(path);
}
