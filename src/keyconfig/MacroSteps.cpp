#include "MacroSteps.h"

int EntryAwaitingDown(const ZavadOvaList& list, std::int32_t key)
{
    for (int i = 0; i < list.KeyCount; ++i)
        if (list.Keys[i] == key && list.DownSlots[i] == 0)
            return i;
    return -1;
}

int EntryAwaitingUp(const ZavadOvaList& list, std::int32_t key)
{
    for (int i = 0; i < list.KeyCount; ++i)
        if (list.Keys[i] == key && list.DownSlots[i] != 0 && list.UpSlots[i] == 0)
            return i;
    return -1;
}
