// Column layouts in an ini file or the platform's settings store.
#include <QSettings>
#include <memory>
#include "core/grid.h"
#include "core/grid_p.h"

namespace qor {

namespace {

std::unique_ptr<QSettings> openStore(const QString &name, TLocation location)
{
    if (location == slIniFile)
        return std::make_unique<QSettings>(name, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + name, QSettings::NativeFormat);
#else
    // Elsewhere the key names one settings file of the user's.
    QString key = name;
    key.replace(QLatin1Char('\\'), QLatin1Char('_')).replace(QLatin1Char('/'), QLatin1Char('_'));
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QorGrid"), key);
#endif
}

QString colKey(int col) { return QStringLiteral("Col%1").arg(col); }

} // namespace

void TCustomQorGrid::SaveLayout(const QString &IniName, const QString &Section, TLocation Location)
{
    auto store = openStore(IniName, Location);
    store->remove(Section);
    store->beginGroup(Section);
    for (int c = 0; c < d->cols; ++c)
        store->setValue(colKey(c), GetColWidth(c));
    store->endGroup();
    store->sync();
}

void TCustomQorGrid::LoadLayout(const QString &IniName, const QString &Section, TLocation Location)
{
    d->hideEditor();
    auto store = openStore(IniName, Location);
    store->beginGroup(Section);
    BeginUpdate();
    for (int c = 0; c < d->cols; ++c) {
        bool ok = false;
        const int width = store->value(colKey(c)).toInt(&ok);
        if (ok)
            SetColWidth(c, width);
    }
    EndUpdate();
    store->endGroup();
}

} // namespace qor
