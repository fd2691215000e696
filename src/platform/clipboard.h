#pragma once
// The system clipboard as the grid uses it: forms by MIME type, all placed at once so that
// every form stays available to other programs. The only code that touches Qt's clipboard;
// tests put a stand-in in its place.
#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <vector>
#include "platform/qor_global.h"

namespace qor::platform {

// The grid's own form ("QorGridFormat"): a cells block and the cut-marker byte.
inline constexpr const char *kGridFormatMime = "application/x-qorgrid";
inline constexpr const char *kGridFormatName = "QorGridFormat";
inline constexpr const char *kCsvMime = "text/csv";
// Unicode text, UTF-8 as the platform's programs exchange it.
inline constexpr const char *kTextMime = "text/plain";
inline constexpr const char *kRichTextMime = "text/rtf";

struct ClipboardForm {
    QString mime;
    QByteArray data;
};

class QOR_EXPORT Clipboard {
public:
    virtual ~Clipboard();
    // Replaces the whole content with these forms.
    virtual void Set(const std::vector<ClipboardForm> &forms) = 0;
    // Nothing when the form is not there.
    virtual std::optional<QByteArray> Get(const QString &mime) const = 0;
    virtual void Clear() = 0;
    bool Has(const QString &mime) const { return Get(mime).has_value(); }
    // The Unicode text, when there is one.
    std::optional<QString> Text() const;
    void SetText(const QString &text);
};

QOR_EXPORT Clipboard &CurrentClipboard();
QOR_EXPORT void SetCurrentClipboard(std::unique_ptr<Clipboard> clipboard);
// Back to the system's clipboard.
QOR_EXPORT void ResetCurrentClipboard();
// Keeps its forms in memory, for tests and headless tools.
QOR_EXPORT std::unique_ptr<Clipboard> MakeStandInClipboard();

} // namespace qor::platform
