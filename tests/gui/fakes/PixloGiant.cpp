// A PNG library that takes every stream for a picture of 65535 x 65535 pixels: a record no bitmap can
// hold (17 GB), for the binding's out-of-memory path. Its rows are never reached.

#include <windows.h>

#include "gui/png/PngReader.h"

static std::uint8_t* noRow = nullptr;

extern "C" int WINAPI ReadPngEx(gs::PngData* data, void*, void*)
{
    *data = {65535, 65535, 8, gs::PngColorTypeRgba, 65535 * 4, &noRow};
    return 1;
}

extern "C" void WINAPI FreePngData(gs::PngData* data)
{
    data->Rows = nullptr;
}
