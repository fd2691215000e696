#pragma once
// The zip package of a workbook, read from memory with every size capped: a part is inflated
// only up to the size its directory entry declares, and a package whose declared sizes or
// compression ratios are out of proportion is refused before anything is inflated.
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include "platform/qor_global.h"

namespace qor::xlsx {

struct PackageLimits {
    qint64 maxPart = qint64(256) << 20;  // one inflated part
    qint64 maxTotal = qint64(768) << 20; // all parts together
    qint64 ratioFrom = qint64(1) << 20;  // parts at least this large must not inflate
    int maxRatio = 400;                  // by more than this factor
    int maxParts = 20000;
};

class QOR_AUTOTEST_EXPORT Package {
public:
    Package();
    ~Package();
    Package(const Package &) = delete;
    Package &operator=(const Package &) = delete;

    // False with a user-facing reason when the bytes are no zip archive or break the limits.
    bool Open(QByteArray bytes, QString *error, const PackageLimits &limits = PackageLimits());
    bool Has(const QString &name) const { return m_parts.contains(name); }
    QStringList Names() const { return m_parts.keys(); }
    qint64 DeclaredSize(const QString &name) const { return m_parts.value(name).size; }
    // The inflated part; false with a reason when it is missing, damaged or longer than declared.
    bool Read(const QString &name, QByteArray &out, QString *error) const;
    const QByteArray &Bytes() const { return m_bytes; }
    // The bytes as the zip reader sees them.
    struct Source;

private:
    struct Part {
        qint64 size = 0;
        qint64 packed = 0;
    };
    QByteArray m_bytes;
    QHash<QString, Part> m_parts;
    void *m_zip = nullptr;
    Source *m_source = nullptr;
};

// "xl/worksheets/sheet1.xml" + "../drawings/d.xml" -> "xl/drawings/d.xml"; absolute targets
// ("/xl/media/a.png") are taken from the package root.
QOR_AUTOTEST_EXPORT QString ResolvePartPath(const QString &fromPart, const QString &target);

} // namespace qor::xlsx
