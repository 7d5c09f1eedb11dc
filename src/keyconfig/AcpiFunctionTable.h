#pragma once

#include "ModuleLoader.h"

#include <windows.h>

// Controller items of the ACPI access library.
// Buffer item that receives the 4096-byte key table.
constexpr DWORD ACPI_ITEM_KEY_TABLE = 0x13060030;
// Buffer item holding the key the controller reported last (HID usage at bytes 6-7).
constexpr DWORD ACPI_ITEM_KEY_EVENT = 0x13060032;
// Value item of the programmable keys: 1 on, 0 off.
constexpr DWORD ACPI_ITEM_SWITCH = 0x13070031;

// The ACPI access library and its 14 entry points. The program calls four of them; the library
// is only accepted when it has all of them.
struct AcpiFunctionTable {
    using InitFn = int(WINAPI*)();
    using GetItemBufferFn = int(WINAPI*)(DWORD item, DWORD arg, BYTE* buffer, DWORD* length);
    using SetItemBufferFn = int(WINAPI*)(DWORD item, DWORD arg, BYTE* buffer, DWORD* length);
    using SetItemFn = int(WINAPI*)(DWORD item, DWORD value, DWORD arg);
    // Entry points that are required but never called.
    using UncalledFn = int(WINAPI*)();

    HMODULE module = nullptr;
    InitFn AcpiInit = nullptr;
    UncalledFn AcpiGetItem = nullptr;
    UncalledFn AcpiGetItemEx = nullptr;
    GetItemBufferFn AcpiGetItemBuffer = nullptr;
    SetItemBufferFn AcpiSetItemBuffer = nullptr;
    SetItemFn AcpiSetItem = nullptr;
    UncalledFn AcpiMbif = nullptr;
    UncalledFn AcpiGGrp = nullptr;
    UncalledFn AcpiCallMethod = nullptr;
    UncalledFn AcpiFirstArg = nullptr;
    UncalledFn AcpiGetArgCount = nullptr;
    UncalledFn AcpiNextArg = nullptr;
    UncalledFn AcpiGetArgType = nullptr;
    UncalledFn AcpiGetArgData = nullptr;

    // Binds the entry points of `library` in their fixed order, stopping at the first missing
    // one. On failure the table is left empty, so that nothing calls a half-bound library.
    bool Bind(ModuleLoader& loader, HMODULE library);
    bool IsBound() const noexcept;
    void Clear() noexcept { *this = AcpiFunctionTable{}; }
};

// The table of the process; bound once and kept until the process ends.
AcpiFunctionTable& ProcessAcpiFunctions();
