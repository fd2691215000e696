#include "core/model/containers.h"

namespace qor {

void TQorStrings::Put(int index, const QString &s)
{
    if (index >= 0 && index < Count())
        m_items[index] = s;
}

int TQorStrings::Add(const QString &s)
{
    m_items.append(s);
    return Count() - 1;
}

void TQorStrings::Insert(int index, const QString &s)
{
    m_items.insert(std::clamp(index, 0, Count()), s);
}

void TQorStrings::Delete(int index)
{
    if (index >= 0 && index < Count())
        m_items.removeAt(index);
}

QString TQorStrings::GetText() const
{
    QString text;
    for (const QString &line : m_items) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

void TQorStrings::SetText(const QString &text)
{
    m_items.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (ch != u'\r' && ch != u'\n')
            continue;
        m_items.append(text.mid(start, i - start));
        if (ch == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        m_items.append(text.mid(start));
}

} // namespace qor
