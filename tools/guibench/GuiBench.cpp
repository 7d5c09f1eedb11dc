// Timings of the toolkit's heavy paths, as medians of repeated runs. Not a test: it prints numbers.
//
//   guibench.exe [--runs N]

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Bitmap.h"
#include "gui/Painter/TextPainter.h"
#include "gui/graphics/image.h"
#include "gui/png/PngReader.h"

#include "BenchReport.h"

#include "GalleryForm.h"
#include "ScopedHandle.h"
#include "TfrmProfileBox.h"
#include "GalleryLayout.h"
#include "SkinFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

// Times `work`; `after` runs between the runs, untimed.
std::vector<double> Time(int runs, const std::function<void()>& work, const std::function<void()>& after = {})
{
    work(); // warm-up: first-use loading and caches are not what is measured
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (after)
            after();
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    if (after)
        after();
    return times;
}

// A 1259 x 592 window picture with a rounded outline, notches and holes in the key colour.
void PaintShapedPicture(forms::TBitmap& bitmap)
{
    const int w = 1259, h = 592, radius = 40;
    bitmap.SetPixelFormat(forms::pf32bit);
    bitmap.SetSize(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap.ScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int dx = std::max({radius - x, x - (w - 1 - radius), 0});
            const int dy = std::max({radius - y, y - (h - 1 - radius), 0});
            bool key = dx * dx + dy * dy > radius * radius;
            key = key || (y < 24 && (x / 60) % 3 == 1);            // notches along the top edge
            key = key || ((x - 600) * (x - 600) + (y - 300) * (y - 300) < 50 * 50); // a round hole
            row[x] = key ? 0xFFFF00FF : 0xFF000000 | static_cast<std::uint32_t>((x * 7 + y * 3) & 0x7F7F7F);
        }
    }
}

// A program folder with fun.cfg and `count` profiles, removed again at the end.
class ProfileFolder {
public:
    explicit ProfileFolder(int count)
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"tastro-guibench-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
        CreateDirectoryW((path_ + L"Profile").c_str(), nullptr);
        WriteText(path_ + L"fun.cfg");
        for (int i = 0; i < count; ++i)
            WriteText(path_ + L"Profile\\Profile number " + std::to_wstring(i) + L".mck");
    }
    ~ProfileFolder()
    {
        const std::wstring profiles = path_ + L"Profile\\";
        WIN32_FIND_DATAW entry{};
        ScopedFind find(FindFirstFileW((profiles + L"*.mck").c_str(), &entry));
        if (find.Valid())
            do
                DeleteFileW((profiles + entry.cFileName).c_str());
            while (FindNextFileW(find.Get(), &entry));
        RemoveDirectoryW(profiles.c_str());
        DeleteFileW((path_ + L"fun.cfg").c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }

private:
    static void WriteText(const std::wstring& path)
    {
        static const char text[] = "[F1]\r\nType=0\r\nCount=1\r\n";
        ScopedFileHandle file(
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        WriteFile(file.Get(), text, sizeof text - 1, &written, nullptr);
    }

    std::wstring path_;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int runs = 25;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--runs")
            runs = std::max(1, _wtoi(argv[i + 1]));

    forms::Application().Initialize();

    {
        forms::TBitmap picture;
        PaintShapedPicture(picture);
        Report("CreateRegionFromBitmap 1259x592", Time(runs, [&] {
                   HRGN region = gs::CreateRegionFromBitmap(picture.Handle(), 0xFF00FF, 0);
                   DeleteObject(region);
               }));
    }

    {
        forms::TBitmap target;
        target.SetPixelFormat(forms::pf24bit);
        target.SetSize(260, 40);
        auto painter = gs::CreateOuterGlowTextPainter();
        painter->Radius = 3;
        painter->Opacity = 192;
        painter->Color = 0;
        painter->RadiationX = painter->RadiationY = 1;
        target.Canvas().Font().SetName(L"Arial");
        target.Canvas().Font().SetHeight(14);
        target.Canvas().Font().SetColor(0xF0F0F0);
        const wchar_t caption[] = L"Twenty characters ok"; // 20 characters
        Report("Glow text, 20 characters, radius 3", Time(runs, [&] {
                   painter->DrawWideTextOnBitmap(target, caption, forms::TRect(0, 0, 260, 40),
                                                 DT_SINGLELINE | DT_VCENTER | DT_CENTER, false);
               }));
    }

    gallery::GalleryOptions& options = gallery::GalleryForm::Options();
    if (!gallery::WriteSkins(gallery::DefaultSkinFolder() + L"bench\\", options.skins)) {
        std::printf("cannot write the skin pictures\n");
        return 1;
    }

    {
        const std::vector<std::wstring> files = options.skins.All();
        Report("Loading 100 skin pictures", Time(runs, [&] {
                   for (int i = 0; i < 100; ++i) {
                       forms::TBitmap bitmap;
                       gs::LoadPngToBitmap(files[static_cast<std::size_t>(i) % files.size()], bitmap);
                   }
               }));
    }

    {
        options.withTray = false;
        gallery::GalleryForm* form = nullptr;
        forms::Application().CreateForm(form);
        form->Show();
        forms::Application().ProcessMessages();
        Report("Full repaint of the gallery window", Time(runs, [&] {
                   RedrawWindow(form->Handle(), nullptr, nullptr,
                                RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                   GdiFlush();
               }));
    }

    {
        // Fewer runs: where Wine manages the windows without a window manager, each hide of an
        // activated window waits two seconds (bench.sh leaves this program's windows unmanaged).
        ProfileFolder folder(200);
        auto* box = new TfrmProfileBox(nullptr);
        Report("Profile box opened with 200 profiles", Time(std::min(runs, 9), [&] {
                   box->PrepareProfileBox(TfrmProfileBox::kSaveMode, folder.Path());
                   box->Show();
                   RedrawWindow(box->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                   GdiFlush();
               }, [&] {
                   box->Hide();
                   forms::Application().ProcessMessages();
               }));
        const int listed = box->lsList->Items().Count();
        delete box;
        if (listed != 200) {
            std::printf("the profile box listed %d of 200 profiles\n", listed);
            return 1;
        }
    }
    return 0;
}
