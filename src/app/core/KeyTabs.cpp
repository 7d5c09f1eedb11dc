#include "KeyTabs.h"

#include "FunData.h"

std::optional<KeyTab> TabForSelectedKey(int type) noexcept
{
    switch (type) {
    case FUN_TYPE_MACRO:
        return kTabMacroKeys;
    case FUN_TYPE_TEXT:
        return kTabSmartInput;
    case FUN_TYPE_FUNCTION:
        return kTabFunctionKeys;
    case FUN_TYPE_SHORTCUT:
        return kTabShortcut;
    default:
        return std::nullopt;
    }
}

std::optional<KeyTab> TabForChangedKey(int type) noexcept
{
    // Function types the pages never write still belong to the Function Keys page.
    if (type == 5 || type == 8 || type == 10)
        return kTabFunctionKeys;
    return TabForSelectedKey(type);
}
