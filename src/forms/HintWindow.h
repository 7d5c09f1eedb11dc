#pragma once

// The tooltip that shows the hints of windowed controls. Internal to the layer.

#include <windows.h>

#include <string>

namespace forms::detail {

class HintWindow {
public:
    static HintWindow& Instance();

    // Shows `text` as the hint of `tool` (a child or top-level window); an empty text removes it.
    void Set(HWND tool, const std::wstring& text);
    void Remove(HWND tool) { Set(tool, std::wstring()); }
    // Passes a mouse message of a tool with a hint on to the tooltip.
    void Relay(HWND tool, UINT msg, WPARAM wParam, LPARAM lParam);
    // The hint registered for `tool`, "" when none (tests read it back).
    std::wstring Text(HWND tool);

    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

private:
    HintWindow() = default;
    HWND Window();

    HWND tip_ = nullptr;
};

}  // namespace forms::detail
