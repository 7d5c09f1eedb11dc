#pragma once

// Colour values: 0x00BBGGRR, or a system colour with 0xFF in the high byte and the COLOR_ index in
// the low byte. Every GDI call takes ColorToRGB of them.

#include <windows.h>

#include <cstdint>
#include <functional>

namespace forms {

using TColor = std::uint32_t;

constexpr TColor SystemColorFlag = 0xFF000000u;
constexpr TColor SystemColor(int index) { return SystemColorFlag | static_cast<TColor>(index); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SystemColor(COLOR_BACKGROUND);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clInfoBk = SystemColor(COLOR_INFOBK);
constexpr TColor clInfoText = SystemColor(COLOR_INFOTEXT);

constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == SystemColorFlag; }

// A system colour becomes its present RGB value; every other value is returned as it is (clNone and
// clDefault included, which callers test before drawing).
COLORREF ColorToRGB(TColor color);

// Where system colours come from (GetSysColor by default); returns the previous source. For tests.
using SysColorSource = std::function<COLORREF(int index)>;
SysColorSource SetSysColorSource(SysColorSource source);

}  // namespace forms
