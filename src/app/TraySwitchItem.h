#pragma once

// The tray menu's "On" item as the main form drives it.
class TraySwitchItem {
public:
    virtual ~TraySwitchItem() = default;
    virtual void SetOnChecked(bool checked) = 0;
    virtual void SetOnEnabled(bool enabled) = 0;
};
