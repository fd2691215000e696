// Conversions between a cell's plain text and its rich text, installed into every grid.
#include "core/view/rich_text_host_p.h"

#include <QAbstractTextDocumentLayout>
#include <QCache>
#include <QPainter>
#include <QTextDocument>
#include <cmath>
#include "core/grid.h"
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

    bool Draw(QPainter &p, const QRect &rect, const QByteArray &rich, Qt::Alignment vertAlign) const override
    {
        QTextDocument *doc = document(rich);
        if (!doc || rect.width() <= 0 || rect.height() <= 0)
            return false;
        doc->setTextWidth(rect.width());
        const qreal h = doc->size().height();
        qreal y = rect.top();
        if (h < rect.height()) {
            if (vertAlign & Qt::AlignBottom)
                y = rect.bottom() + 1 - h;
            else if (vertAlign & Qt::AlignVCenter)
                y = rect.top() + (rect.height() - h) / 2;
        }
        p.save();
        p.setClipRect(rect, Qt::IntersectClip);
        p.translate(rect.left(), y);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.palette.setColor(QPalette::Text, p.pen().color());
        doc->documentLayout()->draw(&p, ctx);
        p.restore();
        return true;
    }

    std::optional<int> Height(const QByteArray &rich, int width) const override
    {
        QTextDocument *doc = document(rich);
        if (!doc)
            return std::nullopt;
        doc->setTextWidth(std::max(width, 1));
        return int(std::ceil(doc->size().height()));
    }

private:
    // Painting reads the same few rich cells again and again: keep their parsed documents.
    QTextDocument *document(const QByteArray &rich) const
    {
        if (QTextDocument *doc = m_documents.object(rich))
            return doc;
        auto doc = std::make_unique<QTextDocument>();
        doc->setDocumentMargin(0);
        if (!ReadRtf(rich, *doc).ok)
            return nullptr;
        QTextDocument *kept = doc.get();
        return m_documents.insert(rich, doc.release()) ? kept : nullptr;
    }

    TCustomQorGrid &m_grid;
    mutable QCache<QByteArray, QTextDocument> m_documents{64};
};

} // namespace

std::unique_ptr<IRichTextHost> MakeRichTextHost(TCustomQorGrid &grid) { return std::make_unique<RichTextHost>(grid); }

} // namespace qor
