#pragma once
// The printer as printing sees it: resolution, physical page and printable offsets in device
// pixels, the paper (by the driver codes documents store) and orientation, and the device to
// paint on. The only code that touches Qt's printer classes. With no printer installed the
// current printer is a PDF target at 1200 dpi; tests put a stand-in in its place.
#include <QSize>
#include <QPoint>
#include <QString>
#include <memory>
#include "platform/qor_global.h"

class QPaintDevice;
class QPrinter;

namespace qor::platform {

// Paper codes of the printer drivers documents come from; 256 is a user-defined size.
enum : int { kPaperLetter = 1, kPaperLegal = 5, kPaperA3 = 8, kPaperA4 = 9, kPaperA5 = 11, kPaperB5 = 13,
             kPaperUser = 256 };
// The size in whole millimetres of a paper code, portrait; empty for an unknown code.
QOR_EXPORT QSize PaperSizeMM(int code);

struct PageSetup {
    int paperCode = kPaperA4;
    QSize userSizeMM;        // for kPaperUser: width x height
    bool landscape = false;
    int paperSource = 0;     // the driver's bin number; 65535 and above leave it
};

class QOR_EXPORT Printer {
public:
    virtual ~Printer();
    // False for the fallback that stands for "no printer at all".
    virtual bool Installed() const { return true; }
    virtual QString Name() const = 0;
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    // The whole sheet in device pixels, in the current orientation.
    virtual QSize PhysicalSize() const = 0;
    // Where the printable area starts on the sheet (the unprintable left and top edges).
    virtual QPoint PrintableOffset() const = 0;
    virtual int PaperCode() const = 0;
    // The current paper in whole millimetres, portrait (width x length).
    virtual QSize PaperMM() const = 0;
    virtual bool Landscape() const = 0;
    virtual int PaperSource() const { return 0; }
    virtual void Apply(const PageSetup &setup) = 0;
    virtual bool Printing() const { return false; }
    // The Qt printer behind it, for jobs and dialogs; none for a stand-in.
    virtual QPrinter *QtPrinter() { return nullptr; }
};

// The printer every print component uses: the system's default one, or the PDF target.
QOR_EXPORT Printer &CurrentPrinter();
// Replaces it (tests, a host's own choice); nothing goes back to the default.
QOR_EXPORT void SetCurrentPrinter(std::unique_ptr<Printer> printer);
QOR_EXPORT void ResetCurrentPrinter();

// Fixed 600 dpi, A4 of 4961 x 7016 pixels (portrait), printable area from (50, 60): pagination
// comes out the same on every machine.
QOR_EXPORT std::unique_ptr<Printer> MakeStandInPrinter(int dpi = 600, QPoint offset = QPoint(50, 60));
// The values of a machine without any printer device: 96 dpi, A4 of 793 x 1122 pixels.
QOR_EXPORT std::unique_ptr<Printer> MakeNoPrinter();
// A Qt printer for PDF output at the resolution.
QOR_EXPORT std::unique_ptr<Printer> MakePdfPrinter(int dpi = 1200);

} // namespace qor::platform
