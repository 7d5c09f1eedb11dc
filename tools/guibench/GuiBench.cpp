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
#include "GalleryLayout.h"
#include "SkinFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<double> Time(int runs, const std::function<void()>& work)
{
    work(); // warm-up: first-use loading and caches are not what is measured
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
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
    return 0;
}
