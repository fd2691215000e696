// Conversions between a cell's plain text and its rich text, installed into every grid.
#include "core/grid.h"
#include "core/grid_seams_p.h"
#include "format/rich_text.h"
#include "platform/colors.h"

namespace qor {

namespace {

class RichTextHost final : public IRichTextHost {
public:
    explicit RichTextHost(TCustomQorGrid &grid) : m_grid(grid) {}

    // A cell without a font of its own is written in the grid's font.
    std::optional<QByteArray> FromPlain(const QString &text, const TQorFont *font) const override
    {
        const TQorFont &f = font ? *font : m_grid.GetFont();
        return PlainToRtf(text, f.Font, f.Color == clWindowText ? QColor() : platform::ToQColor(f.Color));
    }

    std::optional<QString> ToPlain(const QByteArray &rich) const override { return RtfToPlain(rich); }

private:
    TCustomQorGrid &m_grid;
};

const bool installed = [] {
    RegisterGridSeams([](TCustomQorGrid &grid, GridSeams &seams) { seams.richText = std::make_unique<RichTextHost>(grid); });
    return true;
}();

} // namespace

} // namespace qor
