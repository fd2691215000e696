// The grid stream's records of embedded documents ("OleD") and charts ("ChtD"): the object's
// own image, a flag, its offset in the anchor cell, its name, its size and the anchor cell.
#include <QWidget>
#include <algorithm>
#include <mutex>
#include "core/grid.h"
#include "io/byte_stream.h"
#include "io/grid_stream.h"
#include "objects/anchored_objects_p.h"
#include "objects/ole_container.h"
#include "objects/qor_chart.h"

namespace qor {

namespace {

constexpr int MaxNameBytes = 1024;
constexpr int MaxSide = 20000;   // pixels: no object is larger than a wall

struct ObjectRecord {
    QByteArray image;
    uint8_t flag = 0;
    int offsetX = 0, offsetY = 0;
    QString name;
    int width = 0, height = 0;
    int row = -1, col = -1;
};

void writeRecord(ByteWriter &out, int index, const char *tag, const ObjectRecord &r)
{
    out.writeI32(index);
    const qsizetype length = out.reserveI32();
    const qsizetype start = out.size();
    out.writeTag(tag);
    out.writeI32(int32_t(r.image.size()));
    out.writeBytes(r.image);
    out.writeU8(r.flag);
    out.writeI32(r.offsetX);
    out.writeI32(r.offsetY);
    const QByteArray name = r.name.toUtf8();
    out.writeI32(int32_t(name.size()));
    out.writeBytes(name);
    out.writeI32(r.width);
    out.writeI32(r.height);
    out.writeI32(r.row);
    out.writeI32(r.col);
    out.patchI32(length, int32_t(out.size() - start));
}

// The whole record first; nothing of it is applied when any field lies.
ObjectRecord readRecord(ByteReader &in)
{
    ObjectRecord r;
    in.skip(4);   // the tag
    r.image = in.readBytes(in.readLength());
    r.flag = in.readU8();
    r.offsetX = in.readI32();
    r.offsetY = in.readI32();
    const qsizetype n = in.readLength();
    if (n > MaxNameBytes)
        throw StreamFormatError("an object's name is longer than any name");
    r.name = QString::fromUtf8(in.readBytes(n));
    r.width = in.readI32();
    r.height = in.readI32();
    r.row = in.readI32();
    r.col = in.readI32();
    if (r.width < 0 || r.height < 0 || r.width > MaxSide || r.height > MaxSide)
        throw StreamFormatError("an object's size is not a size");
    if (std::abs(int64_t(r.offsetX)) > MaxSide || std::abs(int64_t(r.offsetY)) > MaxSide)
        throw StreamFormatError("an object's offset lies outside any cell");
    return r;
}

ObjectRecord recordOf(const TInnerControl &anchor, QByteArray image, uint8_t flag)
{
    const QWidget *w = anchor.GetControl();
    ObjectRecord r;
    r.image = std::move(image);
    r.flag = flag;
    r.offsetX = anchor.OffsetX;
    r.offsetY = anchor.OffsetY;
    r.name = w->objectName();
    r.width = w->width();
    r.height = w->height();
    r.row = anchor.Row;
    r.col = anchor.Col;
    return r;
}

// A stored name already taken (two documents merged by hand, say) gets a number after it.
QString freeName(const AnchoredObjects &objects, const QString &name)
{
    if (!name.isEmpty() && !objects.NameTaken(name))
        return name;
    const QString base = name.isEmpty() ? QStringLiteral("Object") : name;
    for (int i = 2;; ++i)
        if (!objects.NameTaken(base + QString::number(i)))
            return base + QString::number(i);
}

TInnerControl *place(TCustomQorGrid &grid, AnchoredObjects::Kind kind, QWidget *object, const ObjectRecord &r)
{
    AnchoredObjects &objects = AnchoredObjects::Of(grid);
    object->setObjectName(freeName(objects, r.name));
    object->resize(std::max(r.width, 1), std::max(r.height, 1));
    const bool anchored = r.row >= 0 && r.col >= 0 && r.row < grid.GetRows() && r.col < grid.GetCols();
    TInnerControl *anchor = objects.Insert(kind, object, anchored ? r.row : -1, anchored ? r.col : -1, false);
    anchor->OffsetX = r.offsetX;
    anchor->OffsetY = r.offsetY;
    anchor->SetPosition();
    return anchor;
}

} // namespace

void InstallObjectRecordHooks()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GridStreamHooks hooks = GetGridStreamHooks();
        hooks.SaveEmbedded = [](const TCustomQorGrid &grid, ByteWriter &out) {
            const AnchoredObjects &objects = AnchoredObjects::Of(grid);
            const auto &documents = objects.List(AnchoredObjects::Documents);
            for (size_t i = 0; i < documents.size(); ++i) {
                auto *c = static_cast<TQorOleContainer *>(documents[i]->GetControl());
                writeRecord(out, int(i), "OleD", recordOf(*documents[i], c->Image(), c->Flag));
            }
            const auto &charts = objects.List(AnchoredObjects::Charts);
            for (size_t i = 0; i < charts.size(); ++i) {
                auto *c = static_cast<TQorChart *>(charts[i]->GetControl());
                writeRecord(out, int(i), "ChtD", recordOf(*charts[i], c->SaveImage(), 0));
            }
        };
        hooks.LoadEmbedded = [](TCustomQorGrid &grid, const StoredObjectRecord &o, ByteReader &in, int) {
            const ObjectRecord r = readRecord(in);
            if (std::memcmp(o.Tag, "OleD", 4) == 0) {
                auto *c = new TQorOleContainer(grid.viewport());
                c->LoadImage(r.image);
                c->Flag = r.flag;
                place(grid, AnchoredObjects::Documents, c, r)->OnDoubleClick = [c] { c->Activate(); };
            } else {
                auto *c = new TQorChart(&grid, grid.viewport());
                place(grid, AnchoredObjects::Charts, c, r);
                c->LoadImage(r.image);
            }
        };
        SetGridStreamHooks(std::move(hooks));
    });
}

} // namespace qor
