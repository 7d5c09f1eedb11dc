#include "forms/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "forms/Exceptions.h"

namespace forms {

namespace {

int BytesFor(TPixelFormat format)
{
    switch (format) {
    case pfDevice:
    case pf32bit:
        return 4;
    case pf24bit:
        return 3;
    default:
        throw EInvalidGraphicOperation(L"Unsupported pixel format");
    }
}

}  // namespace

// --- TBitmapCanvas ---

TBitmapCanvas::~TBitmapCanvas()
{
    FreeContext();
}

void TBitmapCanvas::CreateHandle()
{
    memoryDC_ = CreateCompatibleDC(nullptr);
    if (!memoryDC_)
        throw EOutOfResources();
    if (const HBITMAP dib = bitmap_.DibHandle())
        oldBitmap_ = SelectObject(memoryDC_, dib);
    SetHandleInternal(memoryDC_);
}

void TBitmapCanvas::FreeContext()
{
    if (!memoryDC_)
        return;
    SetHandleInternal(nullptr);
    if (oldBitmap_)
        SelectObject(memoryDC_, oldBitmap_);
    DeleteDC(memoryDC_);
    memoryDC_ = nullptr;
    oldBitmap_ = nullptr;
}

void TBitmapCanvas::Changed()
{
    TCanvas::Changed();
    bitmap_.Changed();
}

// --- TBitmap ---

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format)
{
    Reallocate(std::max(width, 0), std::max(height, 0), BytesFor(format), nullptr);
}

TBitmap::~TBitmap()
{
    // The canvas DC must let go of the DIB before the DIB is deleted.
    canvas_.reset();
}

void TBitmap::ReleaseCanvasContext()
{
    if (canvas_)
        canvas_->FreeContext();
}

void TBitmap::Reallocate(int width, int height, int bytesPerPixel, const PixelView* copyFrom)
{
    BitmapHandle dib;
    std::uint8_t* bits = nullptr;
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(bytesPerPixel * 8);
        info.bmiHeader.biCompression = BI_RGB;
        void* memory = nullptr;
        dib.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
        if (!dib || !memory)
            throw EOutOfResources();
        bits = static_cast<std::uint8_t*>(memory);
        std::memset(bits, 0, static_cast<size_t>(RowStride(width, bytesPerPixel)) * static_cast<size_t>(height));
        if (copyFrom) {
            GdiFlush();
            const PixelView target{bits, width, height, RowStride(width, bytesPerPixel), bytesPerPixel};
            ConvertPixels(*copyFrom, target);
        }
    }
    ReleaseCanvasContext();
    dib_ = std::move(dib);
    bits_ = bits;
    width_ = width;
    height_ = height;
}

void TBitmap::SetWidth(int width)
{
    SetSize(width, height_);
}

void TBitmap::SetHeight(int height)
{
    SetSize(width_, height);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    const PixelView old = View();
    Reallocate(width, height, BytesPerPixel(), &old);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    const int bytes = BytesFor(format);
    if (bytes != BytesPerPixel() && !Empty()) {
        const PixelView old = View();
        Reallocate(width_, height_, bytes, &old);
    }
    format_ = format;
    Changed();
}

PixelView TBitmap::View()
{
    if (bits_)
        GdiFlush();
    return PixelView{bits_, bits_ ? width_ : 0, bits_ ? height_ : 0, RowStride(width_, BytesPerPixel()),
                     BytesPerPixel()};
}

std::uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= height_ || !bits_)
        throw EInvalidGraphicOperation(L"Scan line index out of range");
    return View().Row(row);
}

TCanvas& TBitmap::Canvas()
{
    if (!canvas_)
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return *canvas_;
}

HBITMAP TBitmap::Handle()
{
    ReleaseCanvasContext();
    if (bits_)
        GdiFlush();
    return dib_.Get();
}

void TBitmap::SetHandle(HBITMAP bitmap)
{
    if (bitmap && bitmap == dib_.Get())
        return;
    BitmapHandle adopted(bitmap);
    if (!bitmap) {
        Reallocate(0, 0, BytesPerPixel(), nullptr);
        Changed();
        return;
    }
    DIBSECTION section{};
    const bool isDib = GetObjectW(bitmap, sizeof(section), &section) == sizeof(DIBSECTION) &&
                       section.dsBm.bmBits != nullptr;
    const int depth = isDib ? section.dsBm.bmBitsPixel : 0;
    if (isDib && (depth == 24 || depth == 32)) {
        const int bytes = depth / 8;
        const int height = section.dsBm.bmHeight;
        const bool bottomUp = section.dsBmih.biHeight > 0;
        const int stride = RowStride(section.dsBm.bmWidth, bytes);
        auto* first = static_cast<std::uint8_t*>(section.dsBm.bmBits);
        // A bottom-up DIB is read through a view that starts at its last stored row and steps backwards.
        const PixelView from{bottomUp ? first + static_cast<std::ptrdiff_t>(height - 1) * stride : first,
                             section.dsBm.bmWidth, height, bottomUp ? -stride : stride, bytes};
        GdiFlush();
        Reallocate(section.dsBm.bmWidth, height, bytes, &from);
        format_ = depth == 32 ? pf32bit : pf24bit;
    } else {
        BITMAP info{};
        if (!GetObjectW(bitmap, sizeof(info), &info))
            throw EInvalidGraphicOperation(L"Invalid bitmap handle");
        Reallocate(info.bmWidth, info.bmHeight, 4, nullptr);
        if (bits_) {
            BITMAPINFO request{};
            request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            request.bmiHeader.biWidth = info.bmWidth;
            request.bmiHeader.biHeight = -info.bmHeight;
            request.bmiHeader.biPlanes = 1;
            request.bmiHeader.biBitCount = 32;
            request.bmiHeader.biCompression = BI_RGB;
            WindowDC screen(nullptr);
            GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), bits_, &request, DIB_RGB_COLORS);
        }
        format_ = pfDevice;
    }
    Changed();
}

TColor TBitmap::TransparentColor()
{
    if (transparentMode_ == tmFixed)
        return transparentColor_;
    if (Empty())
        return clDefault;
    return ReadPixel(View(), 0, height_ - 1) | 0x02000000u;
}

void TBitmap::SetTransparentColor(TColor color)
{
    transparentColor_ = color;
    transparentMode_ = color == clDefault ? tmAuto : tmFixed;
}

void TBitmap::Assign(TPersistent* source)
{
    if (source == this)
        return;
    if (!source) {
        Reallocate(0, 0, BytesPerPixel(), nullptr);
        Changed();
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        const PixelView from = bitmap->View();
        Reallocate(bitmap->width_, bitmap->height_, bitmap->BytesPerPixel(), &from);
        format_ = bitmap->format_;
        transparentMode_ = bitmap->transparentMode_;
        transparentColor_ = bitmap->transparentColor_;
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Swap(TBitmap& other)
{
    if (&other == this)
        return;
    ReleaseCanvasContext();
    other.ReleaseCanvasContext();
    std::swap(width_, other.width_);
    std::swap(height_, other.height_);
    std::swap(format_, other.format_);
    std::swap(dib_, other.dib_);
    std::swap(bits_, other.bits_);
    Changed();
    other.Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    if (Empty())
        return;
    const HDC dc = canvas.Handle();
    const HDC source = Canvas().Handle();
    if (rect.Width() == width_ && rect.Height() == height_) {
        BitBlt(dc, rect.Left, rect.Top, width_, height_, source, 0, 0, SRCCOPY);
    } else {
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), source, 0, 0, width_, height_, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

}  // namespace forms
