#pragma once
// The printer as printing sees it: resolution, physical page and printable offsets in device
// pixels, the paper (by the driver codes documents store) and orientation, and the device to
// paint on. The only code that touches Qt's printer classes. With no printer installed the
// current printer is a PDF target at 1200 dpi; tests put a stand-in in its place.
#include <QImage>
#include <QSize>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>
#include "platform/qor_global.h"

class QPaintDevice;
class QPainter;
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
    // A document is open.
    virtual bool Printing() const = 0;
    // The Qt printer behind it, for jobs and dialogs; none for a stand-in.
    virtual QPrinter *QtPrinter() { return nullptr; }

    // ===== The document of a job =====
    // Opens a document titled Title; false (and Error() says why) when the device refuses it.
    virtual bool BeginDoc(const QString &title) = 0;
    // Starts the next sheet of the open document.
    virtual bool NewPage() = 0;
    // Finishes the document; a file target appears only now, whole.
    virtual bool EndDoc() = 0;
    // Drops the open document: a file target is left as it was before the job.
    virtual void Abort() = 0;
    // The painter on the open document's device, in device pixels; none when closed.
    virtual QPainter *Canvas() = 0;
    virtual QString Error() const { return m_error; }
    // A file target (PDF): where the next document goes; false for a device.
    virtual bool IsFileTarget() const { return false; }
    virtual void SetOutputFile(const QString &) {}
    virtual QString OutputFile() const { return QString(); }

protected:
    QString m_error;
};

// A printer of fixed numbers that prints nowhere: the tests' printer. Its journal records
// every document call ("begin TITLE", "page", "end", "abort"); with KeepPages each sheet is
// kept as an image at the printer's resolution (memory: keep few pages).
class QOR_EXPORT StandInPrinter final : public Printer {
public:
    StandInPrinter(bool installed, int dpi, QPoint offset);
    ~StandInPrinter() override;
    bool Installed() const override { return m_installed; }
    QString Name() const override;
    int DpiX() const override { return m_dpi; }
    int DpiY() const override { return m_dpi; }
    QSize PhysicalSize() const override;
    QPoint PrintableOffset() const override { return m_installed ? m_offset : QPoint(); }
    int PaperCode() const override { return m_code; }
    QSize PaperMM() const override { return m_paper; }
    bool Landscape() const override { return m_landscape; }
    int PaperSource() const override { return m_source; }
    void Apply(const PageSetup &setup) override;
    bool Printing() const override { return m_open; }
    bool BeginDoc(const QString &title) override;
    bool NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    QPainter *Canvas() override;

    QStringList &Journal() { return m_journal; }
    void SetKeepPages(bool Value) { m_keep = Value; }
    std::vector<QImage> &Pages() { return m_pages; }
    // The next BeginDoc fails with this error (a device that refuses the job).
    void SetRefuse(const QString &error) { m_refuse = error; }

private:
    void startSheet();
    void finishSheet();

    bool m_installed;
    int m_dpi;
    QPoint m_offset;
    int m_code = kPaperA4;
    QSize m_paper{210, 297};
    bool m_landscape = false;
    int m_source = 0;
    bool m_open = false;
    bool m_keep = false;
    QString m_refuse;
    QStringList m_journal;
    std::vector<QImage> m_pages;
    QImage m_sheet;
    std::unique_ptr<QPainter> m_painter;
};

// The printer every print component uses: the system's default one, or the PDF target.
QOR_EXPORT Printer &CurrentPrinter();
// Replaces it (tests, a host's own choice); nothing goes back to the default.
QOR_EXPORT void SetCurrentPrinter(std::unique_ptr<Printer> printer);
QOR_EXPORT void ResetCurrentPrinter();
// Hands the current printer over (the default one when none was set) and leaves none current:
// a dialog that tries other printers can put the very same object back.
QOR_EXPORT std::unique_ptr<Printer> TakeCurrentPrinter();

// Fixed 600 dpi, A4 of 4961 x 7016 pixels (portrait), printable area from (50, 60): pagination
// comes out the same on every machine.
QOR_EXPORT std::unique_ptr<StandInPrinter> MakeStandInPrinter(int dpi = 600, QPoint offset = QPoint(50, 60));
// The current printer when it is a stand-in, else none.
QOR_EXPORT StandInPrinter *CurrentStandIn();
// The values of a machine without any printer device: 96 dpi, A4 of 793 x 1122 pixels.
QOR_EXPORT std::unique_ptr<Printer> MakeNoPrinter();
// A Qt printer for PDF output at the resolution, into file (settable later).
QOR_EXPORT std::unique_ptr<Printer> MakePdfPrinter(int dpi = 1200, const QString &file = QString());
// The names of the installed printers (the PDF target is not among them).
QOR_EXPORT QStringList InstalledPrinters();
// Makes the named installed printer current; false for an unknown name.
QOR_EXPORT bool SelectPrinter(const QString &name);

} // namespace qor::platform
