// The print settings block: written after "PrnD" in a fixed order, read back the same way.
#include "print/qor_print.h"

#include <QFile>
#include <QSaveFile>
#include "io/byte_stream.h"
#include "io/text_record.h"
#include "print/qor_print_p.h"

namespace qor {

namespace {

constexpr int kCurrentVersion = 14;

// Everything the block holds, read whole before any of it is applied.
struct SettingsBlock {
    int32_t pageSize, pageWidth, pageHeight;
    int32_t margins[4];
    uint8_t orientation;
    TTitleParams title;
    TPageHeaderParams pageHeader;
    TFooterParams pageFooter, footer, summary;
    int32_t titleRows, footerRows;
    bool horzAutoCenter, vertAutoCenter, colorPrinter;
    QString documentName;
    bool showProgress, modalPreview, disablePrint;
    int32_t horzSpaceToBreak, vertSpaceToBreak, pageColumns, titleColumns, footerColumns;
    bool directToPrinter;
    int32_t printZoom;
    bool printGridLine;
};

} // namespace

QByteArray TQorPrint::SaveSettings() const
{
    ByteWriter out(512);
    out.writeTag("PrnD");
    out.writeI32(d->pageSize);
    out.writeI32(d->pageWidth);
    out.writeI32(d->pageHeight);
    out.writeI32(d->margins.Left);
    out.writeI32(d->margins.Top);
    out.writeI32(d->margins.Right);
    out.writeI32(d->margins.Bottom);
    out.writeU8(uint8_t(d->orientation));
    d->title.SaveToStream(out);
    d->pageHeader.SaveToStream(out);
    d->pageFooter.SaveToStream(out);
    d->footer.SaveToStream(out);
    d->summary.SaveToStream(out);
    out.writeI32(d->titleRows);
    out.writeI32(d->footerRows);
    out.writeBool(d->horzAutoCenter);
    out.writeBool(d->vertAutoCenter);
    out.writeBool(d->colorPrinter);
    SaveTextToStream(out, d->documentName);
    out.writeBool(d->showProgress);
    out.writeBool(d->modalPreview);
    out.writeBool(d->disablePrint);
    out.writeI32(d->horzSpaceToBreak);
    out.writeI32(d->vertSpaceToBreak);
    out.writeI32(d->pageColumns);
    out.writeI32(d->titleColumns);
    out.writeI32(d->footerColumns);
    out.writeBool(d->directToPrinter);
    out.writeI32(d->printZoom);
    out.writeBool(d->printGridLine);
    return out.bytes();
}

bool TQorPrint::LoadSettings(const QByteArray &Block)
{
    ByteReader in(Block);
    if (!in.peekTag("PrnD"))
        return false;
    in.skip(4);
    const int version = d->version;
    SettingsBlock b;
    try {
        b.pageSize = in.readI32();
        b.pageWidth = in.readI32();
        b.pageHeight = in.readI32();
        for (int32_t &m : b.margins)
            m = in.readI32();
        b.orientation = in.readU8();
        b.title.LoadFromStream(in, version);
        b.pageHeader.LoadFromStream(in, version);
        b.pageFooter.LoadFromStream(in, version);
        b.footer.LoadFromStream(in, version);
        b.summary.LoadFromStream(in, version);
        b.titleRows = in.readI32();
        b.footerRows = in.readI32();
        b.horzAutoCenter = in.readBool();
        b.vertAutoCenter = in.readBool();
        b.colorPrinter = in.readBool();
        b.documentName = LoadTextFromStream2(in, version);
        b.showProgress = in.readBool();
        b.modalPreview = in.readBool();
        b.disablePrint = in.readBool();
        b.horzSpaceToBreak = in.readI32();
        b.vertSpaceToBreak = in.readI32();
        b.pageColumns = in.readI32();
        b.titleColumns = in.readI32();
        b.footerColumns = in.readI32();
        b.directToPrinter = in.readBool();
        b.printZoom = in.readI32();
        b.printGridLine = in.readBool();
    } catch (const StreamFormatError &) {
        return false;
    }
    d->pageSize = b.pageSize;
    d->pageWidth = b.pageWidth;
    d->pageHeight = b.pageHeight;
    d->margins.Left = b.margins[0];
    d->margins.Top = b.margins[1];
    d->margins.Right = b.margins[2];
    d->margins.Bottom = b.margins[3];
    d->orientation = b.orientation == poLandscape ? poLandscape : poPortrait;
    d->title.Assign(b.title);
    d->pageHeader.Assign(b.pageHeader);
    d->pageFooter.Assign(b.pageFooter);
    d->footer.Assign(b.footer);
    d->summary.Assign(b.summary);
    d->titleRows = b.titleRows;
    d->footerRows = b.footerRows;
    d->horzAutoCenter = b.horzAutoCenter;
    d->vertAutoCenter = b.vertAutoCenter;
    d->colorPrinter = b.colorPrinter;
    d->documentName = b.documentName;
    d->showProgress = b.showProgress;
    d->modalPreview = b.modalPreview;
    d->disablePrint = b.disablePrint;
    d->horzSpaceToBreak = b.horzSpaceToBreak;
    d->vertSpaceToBreak = b.vertSpaceToBreak;
    d->pageColumns = b.pageColumns;
    d->titleColumns = b.titleColumns;
    d->footerColumns = b.footerColumns;
    // Releases before 14 did not have the flag; what sits there is not it.
    d->directToPrinter = version >= kCurrentVersion && b.directToPrinter;
    SetPrintZoom(b.printZoom);
    d->printGridLine = b.printGridLine;
    changed();
    return true;
}

bool TQorPrint::SaveToStream(QIODevice &Stream) const
{
    const QByteArray block = SaveSettings();
    return Stream.write(block) == block.size();
}

bool TQorPrint::LoadFromStream(QIODevice &Stream)
{
    // A block of its own is as new as this release, whatever grid file was read last.
    const int kept = d->version;
    d->version = kCurrentVersion;
    const bool ok = LoadSettings(Stream.readAll());
    d->version = kept;
    return ok;
}

bool TQorPrint::SaveToFile(const QString &FileName) const
{
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly) || !SaveToStream(file))
        return false;
    return file.commit();
}

bool TQorPrint::LoadFromFile(const QString &FileName)
{
    QFile file(FileName);
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return false;
    return LoadFromStream(file);
}

} // namespace qor
