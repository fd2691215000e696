#pragma once
// Conversions between millimetres, screen pixels and printer pixels, through the current
// printer of the platform layer (and the screen's resolution).
#include <QFont>
#include <QPoint>
#include <QSize>
#include "platform/qor_global.h"

namespace qor {

// Rounds to the nearest integer, halves away from zero, after rounding to four decimals.
QOR_EXPORT int64_t RoundHalfAway(double x);

QOR_EXPORT double PixelToXmm(int px);
QOR_EXPORT int PixelToYmm(int px);
QOR_EXPORT double PixelToXInch(int px);
QOR_EXPORT double PixelToYInch(int px);
QOR_EXPORT int XmmToPixel(double mm);
QOR_EXPORT int YmmToPixel(double mm);
QOR_EXPORT int XInchToPixel(double inch);
QOR_EXPORT int YInchToPixel(double inch);

// The printer's whole sheet in device pixels (793 x 1122 without any printer).
QOR_EXPORT int PrinterWidth();
QOR_EXPORT int PrinterHeight();
QOR_EXPORT int HPointsPerInch();
QOR_EXPORT int VPointsPerInch();
// Printer dots per inch over screen dots per inch.
QOR_EXPORT double ScalX();
QOR_EXPORT double ScalY();
// Millimetres in printer pixels: RoundHalfAway(P x mm / 100) with P the printer's pixels per
// 100 mm, itself rounded.
QOR_EXPORT int64_t MMToPrinterX(double mm);
QOR_EXPORT int64_t MMToPrinterY(double mm);
// The unprintable left and top edges of the sheet, device pixels.
QOR_EXPORT QPoint PrintableOffset();
// The printer's paper in whole millimetres (width x length); 210 x 297 without any printer.
QOR_EXPORT QSize GetPhicalPaperMM();
// A font like font at zoom percent: its pixel height is RoundHalfAway(height x zoom / 100);
// the face "Default" becomes the platform's default face.
QOR_EXPORT QFont CreateZoomFont(const QFont &font, int zoom);

} // namespace qor
