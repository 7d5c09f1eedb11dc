#include "AcpiFunctionTable.h"

bool AcpiFunctionTable::Bind(ModuleLoader& loader, HMODULE library)
{
    Clear();
    // && stops at the first name the library lacks.
    const bool complete = BindEntryPoint(loader, library, "AcpiInit", AcpiInit)
        && BindEntryPoint(loader, library, "AcpiGetItem", AcpiGetItem)
        && BindEntryPoint(loader, library, "AcpiGetItemEx", AcpiGetItemEx)
        && BindEntryPoint(loader, library, "AcpiGetItemBuffer", AcpiGetItemBuffer)
        && BindEntryPoint(loader, library, "AcpiSetItemBuffer", AcpiSetItemBuffer)
        && BindEntryPoint(loader, library, "AcpiSetItem", AcpiSetItem)
        && BindEntryPoint(loader, library, "AcpiMbif", AcpiMbif)
        && BindEntryPoint(loader, library, "AcpiGGrp", AcpiGGrp)
        && BindEntryPoint(loader, library, "AcpiCallMethod", AcpiCallMethod)
        && BindEntryPoint(loader, library, "AcpiFirstArg", AcpiFirstArg)
        && BindEntryPoint(loader, library, "AcpiGetArgCount", AcpiGetArgCount)
        && BindEntryPoint(loader, library, "AcpiNextArg", AcpiNextArg)
        && BindEntryPoint(loader, library, "AcpiGetArgType", AcpiGetArgType)
        && BindEntryPoint(loader, library, "AcpiGetArgData", AcpiGetArgData);
    if (!complete) {
        Clear();
        return false;
    }
    module = library;
    return true;
}

bool AcpiFunctionTable::IsBound() const noexcept
{
    return module && AcpiInit && AcpiGetItem && AcpiGetItemEx && AcpiGetItemBuffer && AcpiSetItemBuffer
        && AcpiSetItem && AcpiMbif && AcpiGGrp && AcpiCallMethod && AcpiFirstArg && AcpiGetArgCount
        && AcpiNextArg && AcpiGetArgType && AcpiGetArgData;
}

AcpiFunctionTable& ProcessAcpiFunctions()
{
    static AcpiFunctionTable table;
    return table;
}
