#include "print/print_units.h"

#include <QFontDatabase>
#include <cmath>
#include "platform/printer.h"
#include "platform/screen.h"

namespace qor {

int64_t RoundHalfAway(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double r = std::round(x * 10000.0) / 10000.0;
    const double t = std::trunc(r);
    const double frac = std::fabs(r - t);
    // The first decimal decides: a fraction of .5 or more moves away from zero.
    const double away = std::floor(frac * 10.0 + 1e-9) >= 5 ? 1.0 : 0.0;
    const double v = t + (r < 0 ? -away : away);
    return v > 9.2e18 ? INT64_MAX : (v < -9.2e18 ? INT64_MIN : int64_t(v));
}

double PixelToXmm(int px) { return double(px) / platform::ScreenDpi() * 25.4; }
int PixelToYmm(int px) { return int(RoundHalfAway(double(px) / platform::ScreenDpi() * 25.4)); }
double PixelToXInch(int px) { return double(px) / platform::ScreenDpi(); }
double PixelToYInch(int px) { return double(px) / platform::ScreenDpi(); }
int XmmToPixel(double mm) { return int(RoundHalfAway(platform::ScreenDpi() * mm / 25.4)); }
int YmmToPixel(double mm) { return int(RoundHalfAway(platform::ScreenDpi() * mm / 25.4)); }
int XInchToPixel(double inch) { return int(RoundHalfAway(platform::ScreenDpi() * inch)); }
int YInchToPixel(double inch) { return int(RoundHalfAway(platform::ScreenDpi() * inch)); }

int PrinterWidth() { return platform::CurrentPrinter().PhysicalSize().width(); }
int PrinterHeight() { return platform::CurrentPrinter().PhysicalSize().height(); }
int HPointsPerInch() { return platform::CurrentPrinter().DpiX(); }
int VPointsPerInch() { return platform::CurrentPrinter().DpiY(); }
double ScalX() { return double(HPointsPerInch()) / platform::ScreenDpi(); }
double ScalY() { return double(VPointsPerInch()) / platform::ScreenDpi(); }

namespace {
int64_t mmToPrinter(double mm, int dpi)
{
    const int64_t per100mm = RoundHalfAway(dpi * 100.0 / 25.4);
    return RoundHalfAway(double(per100mm) * mm / 100.0);
}
} // namespace

int64_t MMToPrinterX(double mm) { return mmToPrinter(mm, HPointsPerInch()); }
int64_t MMToPrinterY(double mm) { return mmToPrinter(mm, VPointsPerInch()); }
QPoint PrintableOffset() { return platform::CurrentPrinter().PrintableOffset(); }

QSize GetPhicalPaperMM()
{
    const platform::Printer &p = platform::CurrentPrinter();
    return p.Installed() ? p.PaperMM() : QSize(210, 297);
}

QFont CreateZoomFont(const QFont &font, int zoom)
{
    QFont f = font;
    if (f.family() == QLatin1String("Default"))
        f.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    // The height in pixels at 96 per inch, as the screen draws it, then zoomed.
    const double pixels = f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF() * 96.0 / 72.0;
    // A size from a hostile document stays a size a painter can take.
    f.setPixelSize(int(std::clamp<int64_t>(RoundHalfAway(pixels * zoom / 100.0), 1, 100000)));
    return f;
}

} // namespace qor
