#include "objects/chart_definition.h"

#include "io/byte_stream.h"

namespace qor {

namespace {
constexpr char Magic[] = "QCHT";
constexpr uint8_t Version = 1;
constexpr int MaxTitleBytes = 64 * 1024;
} // namespace

QByteArray TChartDefinition::Save() const
{
    ByteWriter out(64 + Title.size() * 3);
    out.writeTag(Magic);
    out.writeU8(Version);
    out.writeU8(Kind);
    out.writeU8(uint8_t((SeriesInRows ? 1 : 0) | (ShowLegend ? 2 : 0)));
    for (int v : {Row1, Col1, Row2, Col2})
        out.writeI32(v);
    const QByteArray title = Title.toUtf8();
    out.writeI32(int32_t(title.size()));
    out.writeBytes(title);
    return out.take();
}

bool TChartDefinition::Load(const QByteArray &image)
{
    try {
        ByteReader in(image.constData(), image.size());
        if (in.readBytes(4) != QByteArray(Magic) || in.readU8() != Version)
            return false;
        TChartDefinition d;
        const uint8_t kind = in.readU8();
        if (kind > ckPie)
            return false;
        d.Kind = TChartKind(kind);
        const uint8_t flags = in.readU8();
        d.SeriesInRows = flags & 1;
        d.ShowLegend = flags & 2;
        d.Row1 = in.readI32();
        d.Col1 = in.readI32();
        d.Row2 = in.readI32();
        d.Col2 = in.readI32();
        const int32_t n = in.readI32();
        if (n < 0 || n > MaxTitleBytes)
            return false;
        d.Title = QString::fromUtf8(in.readBytes(n));
        if (in.remaining() != 0)
            return false;
        if (!d.HasRange())
            d.Row1 = d.Col1 = d.Row2 = d.Col2 = -1;
        *this = d;
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace qor
