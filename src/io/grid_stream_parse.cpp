// Taking a stored grid stream apart: form, header, rows, columns, settings, object records.
#include <algorithm>
#include <cstring>
#include "core/model/cell_list.h"
#include "io/grid_stream.h"
#include "io/stream_envelope.h"
#include "io/stream_version.h"

namespace qor {

namespace {

constexpr int kOldestVersion = 1;
constexpr char kSignature[] = "QGRD";
constexpr char kRowTag[] = "RowD";
// No sheet has a row or column this large (about 260 m on screen); a larger size is damage.
constexpr int32_t kMaxPixels = 1000000;

bool endsWith(const QByteArray &b, const char *trailer)
{
    return b.size() >= 7 && std::memcmp(b.constData() + b.size() - 7, trailer, 7) == 0;
}

GridStreamForm detectForm(const QByteArray &stored)
{
    if (endsWith(stored, "Encrypt"))
        return GridStreamForm::Compressed;
    if (endsWith(stored, "Decrypt"))
        return GridStreamForm::Plain;
    ByteReader in(stored);
    return in.readI32() > 10 ? GridStreamForm::BareCompressed : GridStreamForm::BarePlain;
}

// The record bytes a row of this version carries.
int rowRecordSize(int version)
{
    if (version >= 12)
        return 56;
    return version >= 6 ? 36 : 16;
}

TRowRec readRowRec(ByteReader &in, int size)
{
    TRowRec r;
    r.Height = in.readI32();
    r.Bottom = in.readI32();
    r.SavedHeight = in.readI32();
    r.Visible = in.readU8() != 0;
    in.skip(3);
    if (size >= 36) {
        r.Group1 = in.readI32();
        r.Group2 = in.readI32();
        r.Group3 = in.readI32();
        r.State = in.readU32();
        r.Group4 = in.readI32();
    }
    if (size >= 56) {
        in.skip(4);
        r.PhyHeight = in.readDouble();
        r.SavedPhyHeight = in.readDouble();
    }
    if (r.Height < 0 || r.Height > kMaxPixels || r.SavedHeight < 0 || r.SavedHeight > kMaxPixels)
        throw StreamFormatError("row or column size out of range");
    return r;
}

// Untagged 16-byte size records of releases before version 5, one per row or column.
std::vector<StoredRowRecord> readLegacySizes(ByteReader &in, int32_t count)
{
    if (qsizetype(count) * 16 > in.remaining())
        throw StreamFormatError("more size records claimed than the stream holds");
    std::vector<StoredRowRecord> list(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        list[size_t(i)].Index = i;
        list[size_t(i)].Rec = readRowRec(in, 16);
        list[size_t(i)].Size = 16;
    }
    return list;
}

void readTaggedRows(ByteReader &in, ParsedGridStream &s)
{
    const int size = rowRecordSize(s.Version);
    while (in.remaining() >= 8 + size && in.peekTag(kRowTag, 4)) {
        StoredRowRecord row;
        row.Index = in.readI32();
        in.skip(4);
        if (row.Index < 0 || row.Index >= s.RowCount)
            throw StreamFormatError("row record outside the grid");
        row.Rec = readRowRec(in, size);
        row.Size = size;
        s.Rows.push_back(row);
    }
}

// The object records are walked from one length to the next: each step waits for memory the
// previous one named, unless the bytes ahead are already on their way.
class ReadAhead {
public:
    explicit ReadAhead(const QByteArray &bytes) : m_data(bytes.constData()), m_size(bytes.size()) {}
    void from(qsizetype pos)
    {
#if defined(__GNUC__) || defined(__clang__)
        const qsizetype until = std::min(pos + kDistance, m_size);
        for (m_fetched = std::max(m_fetched, pos); m_fetched < until; m_fetched += 64)
            __builtin_prefetch(m_data + m_fetched);
#else
        Q_UNUSED(pos);
#endif
    }

private:
    static constexpr qsizetype kDistance = 4096;
    const char *m_data;
    qsizetype m_size;
    qsizetype m_fetched = 0;
};

void readObjects(ByteReader &in, ParsedGridStream &s)
{
    const int64_t slots = int64_t(s.RowCount) * s.ColCount;
    ReadAhead ahead(s.Body);
    while (in.remaining() >= 8) {
        ahead.from(in.pos());
        StoredObjectRecord o;
        o.Index = in.readI32();
        const int32_t length = in.readI32();
        if (length < 0 || length > in.remaining())
            throw StreamFormatError("object record claims more bytes than the stream holds");
        o.Offset = in.pos();
        o.Length = length;
        if (length >= 4)
            std::memcpy(o.Tag, in.take(4), 4), in.skip(length - 4);
        else
            in.skip(length);
        if (o.IsCell() && (o.Index < 0 || o.Index >= slots))
            throw StreamFormatError("cell record outside the grid");
        s.Objects.push_back(o);
    }
}

} // namespace

bool StoredObjectRecord::IsCell() const
{
    return std::memcmp(Tag, "Cell", 4) == 0 || std::memcmp(Tag, "Cel_", 4) == 0;
}

int ParsedGridStream::CellRecordCount() const
{
    int n = 0;
    for (const StoredObjectRecord &o : Objects)
        n += o.IsCell();
    return n;
}

ParsedGridStream ParseGridStream(const QByteArray &stored)
{
    ParsedGridStream s;
    s.Form = detectForm(stored);
    s.Body = UnwrapStreamBody(stored);
    ByteReader in(s.Body);
    s.Version = in.readI32();
    if (!in.peekTag(kSignature))
        throw NotAGridStreamError();
    in.skip(4);
    if (s.Version < kOldestVersion || s.Version > CurrentStreamFormatVersion)
        throw StreamFormatError("unknown stream version");

    // From version 4 on the properties sit in a block of their own length.
    ByteReader block(s.Body);
    ByteReader *props = &in;
    qsizetype base = 0;
    if (s.Version >= 4) {
        const qsizetype length = in.readLength();
        base = in.pos();
        block = ByteReader(s.Body.constData() + base, length);
        in.skip(length);
        props = &block;
    }
    s.RowCount = props->readI32();
    s.ColCount = props->readI32();
    if (s.RowCount < 0 || s.ColCount < 0 || !TCellList::FitsInt(s.RowCount, s.ColCount))
        throw StreamFormatError("impossible grid dimensions");

    if (s.Version < 5) {
        s.Rows = readLegacySizes(*props, s.RowCount);
        s.LegacyCols = readLegacySizes(*props, s.ColCount);
    } else {
        readTaggedRows(*props, s);
        // Every column record is at least its length; a count beyond that is a lie.
        if (qsizetype(s.ColCount) * 4 > props->remaining())
            throw StreamFormatError("more columns claimed than the stream holds");
        s.ColumnRecords.reserve(size_t(s.ColCount));
        for (int32_t c = 0; c < s.ColCount; ++c) {
            s.ColumnRecords.push_back(base + props->pos());
            props->skip(props->readLength());
        }
    }
    s.Settings.Read(*props, s.Version);
    readObjects(in, s);
    return s;
}

} // namespace qor
