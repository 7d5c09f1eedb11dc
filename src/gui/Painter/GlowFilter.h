#pragma once

// The filters behind radiating text: an integer matrix of luminance values is spread by a radial
// kernel that keeps, at every cell, the strongest kernel-weighted neighbour.

#include <cstdint>
#include <memory>
#include <vector>

namespace gs {

// rows x columns signed 32-bit cells, addressed [row][column]; cells start at 0.
class IntMatrix {
public:
    IntMatrix() = default;
    IntMatrix(int rows, int columns);

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    std::int32_t* operator[](int row) { return cells_.data() + static_cast<std::ptrdiff_t>(row) * columns_; }
    const std::int32_t* operator[](int row) const
    {
        return cells_.data() + static_cast<std::ptrdiff_t>(row) * columns_;
    }

private:
    int rows_ = 0;
    int columns_ = 0;
    std::vector<std::int32_t> cells_;
};

class Filter {
public:
    virtual ~Filter() = default;
    // The filtered value of cell (row, column) of the rows x columns window of `input` that starts at
    // (rowOrigin, columnOrigin).
    virtual std::int32_t Apply(const IntMatrix& input, int rowOrigin, int columnOrigin, int rows, int columns,
                               int row, int column) const = 0;
};

// The largest of neighbour x weight over the kernel, divided by the denominator (truncated).
// Neighbours outside the window are skipped.
class NeighborWeightedFilter : public Filter {
public:
    NeighborWeightedFilter(IntMatrix kernel, int rowRadius, int columnRadius, std::int32_t denominator);

    std::int32_t Apply(const IntMatrix& input, int rowOrigin, int columnOrigin, int rows, int columns, int row,
                       int column) const override;

    const IntMatrix& Kernel() const { return kernel_; }
    int RowRadius() const { return rowRadius_; }
    int ColumnRadius() const { return columnRadius_; }
    std::int32_t Denominator() const { return denominator_; }

private:
    IntMatrix kernel_;
    std::int32_t denominator_;
    int rowRadius_;
    int columnRadius_;
};

// Writes filter.Apply of every cell of the rows x columns input window into the output window that
// starts at (outRowOrigin, outColumnOrigin), row by row.
void ApplyFilter(const Filter& filter, const IntMatrix& input, int rowOrigin, int columnOrigin, int rows,
                 int columns, IntMatrix& output, int outRowOrigin, int outColumnOrigin);

// Hands out filters; a filter stays valid while the caller holds it.
class FilterFactory {
public:
    virtual ~FilterFactory() = default;
    virtual std::shared_ptr<const Filter> GetFilter(int rowRadius, int columnRadius) = 0;
    // Gives a filter back after use; the caller's reference is cleared.
    virtual void ReleaseFilter(std::shared_ptr<const Filter>& filter) = 0;
};

// Radial kernels whose weight is full inside the inner fraction of the radius and falls with the square
// of the distance left to the rim. The last kernel built is kept while its settings stay the same.
class OuterGlowFilterFactory : public FilterFactory {
public:
    // The denominator of every kernel: weights are in 1/256.
    static constexpr std::int32_t Denominator = 256;

    float InnerFraction() const { return innerFraction_; }
    // A different value drops the kept filter.
    void SetInnerFraction(float fraction);
    float Strength() const { return strength_; }
    // A different value drops the kept filter.
    void SetStrength(float strength);

    // The two radii must be equal (checked). The kept filter is rebuilt when it was dropped or was
    // built for another radius.
    std::shared_ptr<const Filter> GetFilter(int rowRadius, int columnRadius) override;
    void ReleaseFilter(std::shared_ptr<const Filter>& filter) override;

    // The kernel of radius r for the present settings.
    std::unique_ptr<NeighborWeightedFilter> BuildFilter(int radius) const;

private:
    float innerFraction_ = 0.0f;
    float strength_ = 1.0f;
    std::shared_ptr<const NeighborWeightedFilter> kept_;
};

}  // namespace gs
