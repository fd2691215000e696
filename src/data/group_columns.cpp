#include "data/group_columns.h"

#include <QList>
#include <QStringView>
#include <unordered_set>

namespace qor {

std::optional<std::vector<TGroupItem>> ParseGroupSpec(const QString &Spec, int Cols)
{
    if (Spec.isEmpty())
        return std::nullopt;
    std::vector<TGroupItem> items;
    std::unordered_set<int> seen;
    for (const QStringView item : QStringView(Spec).split(u';')) {
        const QList<QStringView> parts = item.split(u':');
        bool ok = false;
        TGroupItem g;
        g.Col = parts[0].trimmed().toInt(&ok);
        if (!ok || g.Col < 0 || g.Col >= Cols || !seen.insert(g.Col).second)
            return std::nullopt;
        if (parts.size() > 1)
            g.Ascending = parts[1].trimmed().compare(u"ASC", Qt::CaseInsensitive) == 0;
        if (parts.size() > 2)
            g.Footer = parts[2].trimmed().compare(u"True", Qt::CaseInsensitive) == 0;
        items.push_back(g);
    }
    return items;
}

QString GroupSpecText(const std::vector<TGroupItem> &Items)
{
    QString spec;
    for (const TGroupItem &g : Items) {
        if (!spec.isEmpty())
            spec += u';';
        spec += QString::number(g.Col);
        spec += g.Ascending ? QStringLiteral(":ASC") : QStringLiteral(":DESC");
        spec += g.Footer ? QStringLiteral(":True") : QStringLiteral(":False");
    }
    return spec;
}

} // namespace qor
