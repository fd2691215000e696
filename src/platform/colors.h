#pragma once
// Colours as stored by the grid: 0x00BBGGRR, negative values name system colours.
#include <QColor>
#include <cstdint>
#include "platform/qor_global.h"

namespace qor {

using TColor = int32_t;

// System colours carry the high bit and the index of the window system's colour slot; files
// written by earlier releases store these exact values.
constexpr TColor SystemColor(int index) { return TColor(uint32_t(0x80000000u) | uint32_t(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

namespace platform {

// The RGB value a colour stands for now: system colours are looked up in the application palette.
QOR_EXPORT TColor ColorToRGB(TColor color);
QOR_EXPORT QColor ToQColor(TColor color);
QOR_EXPORT TColor FromQColor(const QColor &color);

} // namespace platform
} // namespace qor
