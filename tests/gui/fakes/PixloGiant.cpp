// A PNG library that takes every stream for a picture of 65535 x 65535 pixels: a record no bitmap can
// hold (17 GB), for the binding's out-of-memory path. Its rows are never reached.

#include <windows.h>

#include <cstdint>

namespace {

struct PngData {
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bitDepth;
    std::int32_t colorType;
    std::uint32_t rowBytes;
    std::uint8_t** rows;
};

std::uint8_t* noRow = nullptr;

}  // namespace

extern "C" int WINAPI ReadPngEx(PngData* data, void*, void*)
{
    *data = {65535, 65535, 8, 6, 65535 * 4, &noRow};
    return 1;
}

extern "C" void WINAPI FreePngData(PngData* data)
{
    data->rows = nullptr;
}
