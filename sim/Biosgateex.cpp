// Simulated keyboard controller behind the ACPI access entry points. Buffer items live in
// "<item>.bin" and value items in "<item>.txt" in the state folder, named by the item's eight
// upper-case hex digits, so tests and people can read and plant them.

#include "CallLog.h"
#include "FileIo.h"
#include "SimState.h"
#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::wstring ItemPath(DWORD item, const wchar_t* extension)
{
    return sim::StateFolder() + sim::HexItemName(item) + extension;
}

// Entry points that the program binds but never calls: they only leave a trace.
template <class Describe>
int Unsupported(const char* entry, Describe describe) noexcept
{
    try {
        sim::CallLine line(entry);
        describe(line);
        line.Write();
    } catch (...) {
    }
    return 0;
}

}  // namespace

extern "C" {

int WINAPI AcpiInit()
{
    try {
        sim::CallLine("AcpiInit").Write();
        return 1;
    } catch (...) {
        return 0;
    }
}

// Copies the stored bytes of a buffer item, zero-filled up to the requested length.
int WINAPI AcpiGetItemBuffer(DWORD item, DWORD arg, BYTE* buffer, DWORD* length)
{
    try {
        sim::CallLine("AcpiGetItemBuffer").Item(item).Number(arg).Buffer(buffer).LengthAt(length).Write();
        if (buffer == nullptr || length == nullptr) {
            return 0;
        }
        const auto stored = sim::ReadWholeFile(ItemPath(item, L".bin"));
        if (!stored) {
            return 0;
        }
        const std::size_t copied = std::min<std::size_t>(stored->size(), *length);
        std::memcpy(buffer, stored->data(), copied);
        std::memset(buffer + copied, 0, *length - copied);
        return 1;
    } catch (...) {
        return 0;
    }
}

// Stores exactly the `*length` bytes given; 0 when they could not be stored.
int WINAPI AcpiSetItemBuffer(DWORD item, DWORD arg, BYTE* buffer, DWORD* length)
{
    try {
        sim::CallLine("AcpiSetItemBuffer").Item(item).Number(arg).Buffer(buffer).LengthAt(length).Write();
        if (length == nullptr || (buffer == nullptr && *length > 0)) {
            return 0;
        }
        return sim::WriteFileAtomic(ItemPath(item, L".bin"), buffer, *length) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

// Stores the value as decimal text; 0 when it could not be stored.
int WINAPI AcpiSetItem(DWORD item, DWORD value, DWORD arg)
{
    try {
        sim::CallLine("AcpiSetItem").Item(item).Number(value).Number(arg).Write();
        const std::string text = std::to_string(value);
        return sim::WriteFileAtomic(ItemPath(item, L".txt"), text.data(), text.size()) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

int WINAPI AcpiGetItem(DWORD item, DWORD arg, DWORD* value)
{
    return Unsupported("AcpiGetItem", [&](sim::CallLine& line) { line.Item(item).Number(arg).Buffer(value); });
}

int WINAPI AcpiGetItemEx(DWORD item, DWORD arg, BYTE* buffer, DWORD* length)
{
    return Unsupported("AcpiGetItemEx", [&](sim::CallLine& line) {
        line.Item(item).Number(arg).Buffer(buffer).LengthAt(length);
    });
}

int WINAPI AcpiMbif(DWORD function, DWORD arg, DWORD* result)
{
    return Unsupported("AcpiMbif", [&](sim::CallLine& line) { line.Number(function).Number(arg).Buffer(result); });
}

int WINAPI AcpiGGrp(DWORD group, BYTE* buffer, DWORD* length)
{
    return Unsupported("AcpiGGrp", [&](sim::CallLine& line) { line.Number(group).Buffer(buffer).LengthAt(length); });
}

int WINAPI AcpiCallMethod(DWORD method, DWORD argCount)
{
    return Unsupported("AcpiCallMethod", [&](sim::CallLine& line) { line.Number(method).Number(argCount); });
}

int WINAPI AcpiFirstArg(DWORD method)
{
    return Unsupported("AcpiFirstArg", [&](sim::CallLine& line) { line.Number(method); });
}

int WINAPI AcpiGetArgCount(DWORD method)
{
    return Unsupported("AcpiGetArgCount", [&](sim::CallLine& line) { line.Number(method); });
}

int WINAPI AcpiNextArg(DWORD method)
{
    return Unsupported("AcpiNextArg", [&](sim::CallLine& line) { line.Number(method); });
}

int WINAPI AcpiGetArgType(DWORD method)
{
    return Unsupported("AcpiGetArgType", [&](sim::CallLine& line) { line.Number(method); });
}

int WINAPI AcpiGetArgData(DWORD method, BYTE* buffer, DWORD* length)
{
    return Unsupported("AcpiGetArgData", [&](sim::CallLine& line) {
        line.Number(method).Buffer(buffer).LengthAt(length);
    });
}

}  // extern "C"
