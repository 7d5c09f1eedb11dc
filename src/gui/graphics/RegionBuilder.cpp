#include "gui/graphics/RegionBuilder.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace gs {

namespace {

std::uint8_t UpperBound(unsigned key, unsigned tolerance)
{
    return static_cast<std::uint8_t>(std::min(key + tolerance, 255u));
}

}  // namespace

KeyColorRange KeyColorRange::From(COLORREF key, COLORREF tolerance)
{
    return {GetRValue(key), UpperBound(GetRValue(key), GetRValue(tolerance)),
            GetGValue(key), UpperBound(GetGValue(key), GetGValue(tolerance)),
            GetBValue(key), UpperBound(GetBValue(key), GetBValue(tolerance))};
}

RegionBuilder::RegionBuilder() : buffer_(sizeof(RGNDATAHEADER) + sizeof(RECT) * GrowthStep)
{
    ResetBatch();
}

void RegionBuilder::ResetBatch()
{
    RGNDATAHEADER& h = Header();
    h.dwSize = sizeof(RGNDATAHEADER);
    h.iType = RDH_RECTANGLES;
    h.nCount = 0;
    h.nRgnSize = 0;
    h.rcBound = RECT{INT_MAX, INT_MAX, 0, 0};
}

void RegionBuilder::AddRow(const std::uint8_t* pixels, int width, int y, const KeyColorRange& key)
{
    int x = 0;
    while (x < width) {
        const int start = x;
        while (x < width && !key.Contains(pixels + static_cast<std::ptrdiff_t>(x) * 4))
            ++x;
        if (x > start)
            AddRun(start, x, y);
        ++x;  // past the key pixel
    }
}

void RegionBuilder::AddRun(int left, int right, int y)
{
    if (Header().nCount == static_cast<DWORD>(capacity_)) {
        capacity_ += GrowthStep;
        buffer_.resize(sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity_);
    }
    RGNDATAHEADER& h = Header();
    const RECT run{left, y, right, y + 1};
    std::memcpy(buffer_.data() + sizeof(RGNDATAHEADER) + sizeof(RECT) * h.nCount, &run, sizeof(RECT));
    h.rcBound.left = std::min<LONG>(h.rcBound.left, left);
    h.rcBound.top = std::min<LONG>(h.rcBound.top, y);
    h.rcBound.right = std::max<LONG>(h.rcBound.right, right);
    h.rcBound.bottom = std::max<LONG>(h.rcBound.bottom, y + 1);
    if (++h.nCount == static_cast<DWORD>(BatchLimit))
        FlushBatch();
}

void RegionBuilder::FlushBatch()
{
    const DWORD count = Header().nCount;
    if (!failed_) {
        forms::RegionHandle batch(ExtCreateRegion(
            nullptr, static_cast<DWORD>(sizeof(RGNDATAHEADER) + sizeof(RECT) * count),
            reinterpret_cast<const RGNDATA*>(buffer_.data())));
        ++batches_;
        if (!batch)
            failed_ = true;
        else if (!result_)
            result_ = std::move(batch);
        else if (CombineRgn(result_.Get(), result_.Get(), batch.Get(), RGN_OR) == ERROR)
            failed_ = true;
    }
    ResetBatch();
}

HRGN RegionBuilder::Finish()
{
    if (Header().nCount > 0 || !result_) {
        if (Header().nCount == 0 && !failed_) {
            // Nothing but key pixels: an empty region, not a failure.
            result_.Reset(CreateRectRgn(0, 0, 0, 0));
            failed_ = !result_;
        } else {
            FlushBatch();
        }
    }
    if (failed_) {
        result_.Reset();
        return nullptr;
    }
    return result_.Release();
}

}  // namespace gs
