#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <map>

namespace qor::platform {

namespace {

class SystemClipboard final : public Clipboard {
public:
    void Set(const std::vector<ClipboardForm> &forms) override
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (!clipboard)
            return;
        auto *mime = new QMimeData;
        for (const ClipboardForm &f : forms) {
            if (f.mime == QLatin1String(kTextMime))
                mime->setText(QString::fromUtf8(f.data));   // with the platform's text variants
            else
                mime->setData(f.mime, f.data);
        }
        clipboard->setMimeData(mime);
    }
    std::optional<QByteArray> Get(const QString &mime) const override
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QMimeData *data = clipboard ? clipboard->mimeData() : nullptr;
        if (!data)
            return std::nullopt;
        if (mime == QLatin1String(kTextMime)) {
            if (!data->hasText())
                return std::nullopt;
            return data->text().toUtf8();
        }
        if (!data->hasFormat(mime))
            return std::nullopt;
        return data->data(mime);
    }
    void Clear() override
    {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->clear();
    }
};

class StandInClipboard final : public Clipboard {
public:
    void Set(const std::vector<ClipboardForm> &forms) override
    {
        m_forms.clear();
        for (const ClipboardForm &f : forms)
            m_forms[f.mime] = f.data;
    }
    std::optional<QByteArray> Get(const QString &mime) const override
    {
        const auto it = m_forms.find(mime);
        if (it == m_forms.end())
            return std::nullopt;
        return it->second;
    }
    void Clear() override { m_forms.clear(); }

private:
    std::map<QString, QByteArray> m_forms;
};

std::unique_ptr<Clipboard> &current()
{
    static std::unique_ptr<Clipboard> clipboard;
    return clipboard;
}

} // namespace

Clipboard::~Clipboard() = default;

std::optional<QString> Clipboard::Text() const
{
    if (std::optional<QByteArray> bytes = Get(QString::fromLatin1(kTextMime)))
        return QString::fromUtf8(*bytes);
    return std::nullopt;
}

void Clipboard::SetText(const QString &text) { Set({{QString::fromLatin1(kTextMime), text.toUtf8()}}); }

Clipboard &CurrentClipboard()
{
    std::unique_ptr<Clipboard> &c = current();
    if (!c)
        c = std::make_unique<SystemClipboard>();
    return *c;
}

void SetCurrentClipboard(std::unique_ptr<Clipboard> clipboard) { current() = std::move(clipboard); }
void ResetCurrentClipboard() { current().reset(); }
std::unique_ptr<Clipboard> MakeStandInClipboard() { return std::make_unique<StandInClipboard>(); }

} // namespace qor::platform
