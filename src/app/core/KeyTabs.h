#pragma once

#include <optional>

// The four tabs of the main scene and their pages, numbered 1 to 4.
enum KeyTab : int {
    kTabMacroKeys = 1,
    kTabSmartInput = 2,
    kTabFunctionKeys = 3,
    kTabShortcut = 4,
};
constexpr int kTabCount = 4;

// The tab a click on a key of this type shows after loading the key into its page; nothing for
// an unassigned key and for types that no page shows.
std::optional<KeyTab> TabForSelectedKey(int type) noexcept;

// The tab shown after a key of this type was written; nothing leaves the tab as it is.
std::optional<KeyTab> TabForChangedKey(int type) noexcept;
