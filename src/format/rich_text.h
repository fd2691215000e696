#pragma once
// Rich text of cells as RTF bytes, read into and written from a QTextDocument. The subset is the
// one a cell needs: paragraphs and their alignment, bold, italic, underline, strike-out, font
// face and size, text colour. Everything else in a file is skipped, never guessed at.
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include "platform/qor_global.h"

class QTextDocument;

namespace qor {

struct RtfReadResult {
    bool ok = false;
    // Why the bytes were refused (not RTF at all); empty when ok.
    QString error;
    // Parts that were dropped to keep going (groups nested too deeply, text after the end).
    bool damaged = false;
};

// True when the bytes start like RTF ("{\rtf" after optional white space).
QOR_EXPORT bool LooksLikeRtf(const QByteArray &bytes);

// Replaces doc's content by the RTF text. Hostile input is read as far as it makes sense; the
// document is left empty when the bytes are not RTF.
QOR_EXPORT RtfReadResult ReadRtf(const QByteArray &rtf, QTextDocument &doc);

// The document as RTF; characters outside ASCII are written as \u escapes.
QOR_EXPORT QByteArray WriteRtf(const QTextDocument &doc);

// Plain text (line breaks start paragraphs) as RTF in one font and colour.
QOR_EXPORT QByteArray PlainToRtf(const QString &text, const QFont &font, const QColor &color = QColor());

// The text of RTF bytes, paragraphs separated by "\n"; nothing when the bytes are not RTF.
QOR_EXPORT std::optional<QString> RtfToPlain(const QByteArray &rtf);

} // namespace qor
