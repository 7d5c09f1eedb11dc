#pragma once

// Builds a window region from horizontal runs of pixels: the runs are collected as rectangles of a
// region-data record and handed to ExtCreateRegion in batches, which are then united.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "forms/GdiHandles.h"

namespace gs {

// The colours left out of a region: per channel from the key up to key + tolerance (at most 255).
struct KeyColorRange {
    std::uint8_t LowRed, HighRed, LowGreen, HighGreen, LowBlue, HighBlue;

    static KeyColorRange From(COLORREF key, COLORREF tolerance);
    // `pixel` points at blue, green, red.
    bool Contains(const std::uint8_t* pixel) const
    {
        return pixel[0] >= LowBlue && pixel[0] <= HighBlue && pixel[1] >= LowGreen && pixel[1] <= HighGreen &&
               pixel[2] >= LowRed && pixel[2] <= HighRed;
    }
};

class RegionBuilder {
public:
    // At most this many rectangles go into one ExtCreateRegion call.
    static constexpr int BatchLimit = 2000;
    // The rectangle buffer grows by this many at a time.
    static constexpr int GrowthStep = 100;

    RegionBuilder();
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;

    // Adds every run of non-key pixels of one row of 32-bit pixels as the rectangle (x0, y, x1, y + 1).
    void AddRow(const std::uint8_t* pixels, int width, int y, const KeyColorRange& key);
    // Adds one rectangle of height 1.
    void AddRun(int left, int right, int y);
    // The union of everything added (an empty region when nothing was), or null when GDI failed.
    // The caller owns the region.
    HRGN Finish();

    int BatchesMade() const { return batches_; }
    int Capacity() const { return capacity_; }

private:
    RGNDATAHEADER& Header() { return *reinterpret_cast<RGNDATAHEADER*>(buffer_.data()); }
    void ResetBatch();
    void FlushBatch();

    std::vector<std::uint8_t> buffer_;
    int capacity_ = GrowthStep;
    int batches_ = 0;
    bool failed_ = false;
    forms::RegionHandle result_;
};

}  // namespace gs
