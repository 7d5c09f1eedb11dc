#include "gui/Painter/GlowFilter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "forms/Assert.h"
#include "gui/graphics/FloatModel.h"

namespace gs {

IntMatrix::IntMatrix(int rows, int columns)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_), 0)
{
}

NeighborWeightedFilter::NeighborWeightedFilter(IntMatrix kernel, int rowRadius, int columnRadius,
                                               std::int32_t denominator)
    : kernel_(std::move(kernel)), denominator_(denominator), rowRadius_(rowRadius), columnRadius_(columnRadius)
{
    FORMS_ASSERT(kernel_.Rows() == 2 * rowRadius_ + 1 && kernel_.Columns() == 2 * columnRadius_ + 1);
    FORMS_ASSERT(denominator_ != 0);
}

std::int32_t NeighborWeightedFilter::Apply(const IntMatrix& input, int rowOrigin, int columnOrigin, int rows,
                                           int columns, int row, int column) const
{
    std::int32_t best = 0;
    const int firstRow = std::max(-rowRadius_, -row);
    const int lastRow = std::min(rowRadius_, rows - 1 - row);
    const int firstColumn = std::max(-columnRadius_, -column);
    const int lastColumn = std::min(columnRadius_, columns - 1 - column);
    for (int i = firstRow; i <= lastRow; ++i) {
        const std::int32_t* in = input[rowOrigin + row + i] + columnOrigin + column;
        const std::int32_t* weights = kernel_[i + rowRadius_] + columnRadius_;
        for (int j = firstColumn; j <= lastColumn; ++j)
            best = std::max(best, in[j] * weights[j]);
    }
    return best / denominator_;
}

void ApplyFilter(const Filter& filter, const IntMatrix& input, int rowOrigin, int columnOrigin, int rows,
                 int columns, IntMatrix& output, int outRowOrigin, int outColumnOrigin)
{
    for (int i = 0; i < rows; ++i) {
        std::int32_t* out = output[outRowOrigin + i] + outColumnOrigin;
        for (int j = 0; j < columns; ++j)
            out[j] = filter.Apply(input, rowOrigin, columnOrigin, rows, columns, i, j);
    }
}

void OuterGlowFilterFactory::SetInnerFraction(float fraction)
{
    if (fraction != innerFraction_) {
        innerFraction_ = fraction;
        kept_.reset();
    }
}

void OuterGlowFilterFactory::SetStrength(float strength)
{
    if (strength != strength_) {
        strength_ = strength;
        kept_.reset();
    }
}

std::shared_ptr<const Filter> OuterGlowFilterFactory::GetFilter(int r, int c)
{
    FORMS_ASSERT(r == c);
    if (!kept_ || kept_->RowRadius() != r)
        kept_ = BuildFilter(r);
    return kept_;
}

void OuterGlowFilterFactory::ReleaseFilter(std::shared_ptr<const Filter>& filter)
{
    filter.reset();
}

std::unique_ptr<NeighborWeightedFilter> OuterGlowFilterFactory::BuildFilter(int radius) const
{
    radius = std::max(radius, 0);
    const int n = 2 * radius + 1;
    IntMatrix kernel(n, n);
    const auto full = static_cast<std::int32_t>(256 * strength_);
    if (radius == 0) {
        kernel[0][0] = full;
    } else {
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const double di = i - radius;
                const double dj = j - radius;
                const double d = std::sqrt(di * di + dj * dj) / radius;
                if (d <= innerFraction_)
                    kernel[i][j] = full;
                else if (d >= 1.0)
                    kernel[i][j] = 0;
                else
                    kernel[i][j] = static_cast<std::int32_t>((1.0 - d) * (1.0 - d) / (1.0 - innerFraction_) * 256.0 *
                                                             strength_);
            }
        }
    }
    return std::make_unique<NeighborWeightedFilter>(std::move(kernel), radius, radius, Denominator);
}

}  // namespace gs
