// Hostile bytes as a cell's rich text: read into a document, written back and read again, and
// turned into plain text. Every input must end in a document or a refusal, never a crash, a hang
// or a huge allocation; what the writer makes must read back to the same text.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "format/rich_text.h"

namespace {
QGuiApplication *g_app = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_app = new QGuiApplication(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    const qor::RtfReadResult read = qor::ReadRtf(bytes, doc);
    if (!read.ok) {
        if (!doc.isEmpty())
            std::abort();
        return 0;
    }
    const std::optional<QString> plain = qor::RtfToPlain(bytes);
    const QByteArray written = qor::WriteRtf(doc);
    const std::optional<QString> again = qor::RtfToPlain(written);
    // Control characters have no place in written RTF; everything else must come back.
    QString expected = plain ? *plain : QString();
    expected.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != u'\t' && c != u'\n') || c == QChar::ObjectReplacementCharacter; });
    if (!plain || !again || *again != expected)
        std::abort();
    return 0;
}
