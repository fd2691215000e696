#include "io/xlsx_package_p.h"

#include <minizip/unzip.h>
#include <cstring>

namespace qor::xlsx {

struct Package::Source {
    const char *data = nullptr;
    qint64 size = 0;
    qint64 pos = 0;
};

namespace {

voidpf open64(voidpf opaque, const void *, int) { return opaque; }

uLong read(voidpf, voidpf stream, void *buf, uLong size)
{
    auto *s = static_cast<Package::Source *>(stream);
    const qint64 n = std::min<qint64>(qint64(size), s->size - s->pos);
    if (n <= 0)
        return 0;
    std::memcpy(buf, s->data + s->pos, size_t(n));
    s->pos += n;
    return uLong(n);
}

uLong write(voidpf, voidpf, const void *, uLong) { return 0; }

ZPOS64_T tell64(voidpf, voidpf stream) { return ZPOS64_T(static_cast<Package::Source *>(stream)->pos); }

long seek64(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    auto *s = static_cast<Package::Source *>(stream);
    qint64 base = 0;
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: base = 0; break;
    case ZLIB_FILEFUNC_SEEK_CUR: base = s->pos; break;
    case ZLIB_FILEFUNC_SEEK_END: base = s->size; break;
    default: return -1;
    }
    if (offset > ZPOS64_T(s->size))
        return -1;
    const qint64 to = base + qint64(offset);
    if (to < 0 || to > s->size)
        return -1;
    s->pos = to;
    return 0;
}

int closeFile(voidpf, voidpf) { return 0; }
int errorFile(voidpf, voidpf) { return 0; }

QString tr(const char *text) { return QString::fromUtf8(text); }

} // namespace

Package::Package() = default;

Package::~Package()
{
    if (m_zip)
        unzClose(static_cast<unzFile>(m_zip));
    delete m_source;
}

bool Package::Open(QByteArray bytes, QString *error, const PackageLimits &limits)
{
    m_bytes = std::move(bytes);
    m_source = new Source{m_bytes.constData(), m_bytes.size(), 0};
    zlib_filefunc64_def io{};
    io.zopen64_file = open64;
    io.zread_file = read;
    io.zwrite_file = write;
    io.ztell64_file = tell64;
    io.zseek64_file = seek64;
    io.zclose_file = closeFile;
    io.zerror_file = errorFile;
    io.opaque = m_source;
    unzFile zip = unzOpen2_64("package", &io);
    if (!zip) {
        *error = tr("不是电子表格文件（不是 zip 格式的工作簿）");
        return false;
    }
    m_zip = zip;
    unz_global_info64 info{};
    if (unzGetGlobalInfo64(zip, &info) != UNZ_OK || info.number_entry == 0) {
        *error = tr("不是电子表格文件（压缩包目录无法读取）");
        return false;
    }
    if (info.number_entry > ZPOS64_T(limits.maxParts)) {
        *error = tr("文件包含的部件过多（%1 个），已拒绝").arg(qulonglong(info.number_entry));
        return false;
    }
    qint64 total = 0;
    for (int rc = unzGoToFirstFile(zip); rc == UNZ_OK; rc = unzGoToNextFile(zip)) {
        char name[1024];
        unz_file_info64 fi{};
        if (unzGetCurrentFileInfo64(zip, &fi, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK) {
            *error = tr("不是电子表格文件（压缩包目录已损坏）");
            return false;
        }
        const qint64 size = qint64(fi.uncompressed_size), packed = qint64(fi.compressed_size);
        const QString part = QString::fromUtf8(name);
        if (size < 0 || size > limits.maxPart || (total += size) > limits.maxTotal) {
            *error = tr("文件解压后过大（部件 %1 声明 %2 字节），疑为压缩炸弹，已拒绝").arg(part).arg(size);
            return false;
        }
        if (size >= limits.ratioFrom && size / std::max<qint64>(packed, 1) > limits.maxRatio) {
            *error = tr("文件的部件 %1 压缩比异常（%2 字节压缩为 %3 字节），疑为压缩炸弹，已拒绝")
                         .arg(part).arg(size).arg(packed);
            return false;
        }
        m_parts.insert(part, Part{size, packed});
    }
    return true;
}

bool Package::Read(const QString &name, QByteArray &out, QString *error) const
{
    out.clear();
    const auto it = m_parts.constFind(name);
    auto *zip = static_cast<unzFile>(m_zip);
    if (it == m_parts.cend() || !zip || unzLocateFile(zip, name.toUtf8().constData(), 1) != UNZ_OK) {
        *error = tr("缺少部件 %1").arg(name);
        return false;
    }
    if (unzOpenCurrentFile(zip) != UNZ_OK) {
        *error = tr("部件 %1 无法解压").arg(name);
        return false;
    }
    out.resize(it->size);
    qint64 got = 0;
    bool ok = true;
    while (ok) {
        // One byte of room past the declared size tells a part that lies about its length.
        char probe;
        char *to = got < it->size ? out.data() + got : &probe;
        const unsigned want = got < it->size ? unsigned(std::min<qint64>(it->size - got, 1 << 20)) : 1u;
        const int n = unzReadCurrentFile(zip, to, want);
        if (n < 0)
            ok = false;
        else if (n == 0)
            break;
        else if (got >= it->size)
            ok = false;
        else
            got += n;
    }
    const int closed = unzCloseCurrentFile(zip);
    if (!ok || got != it->size || closed != UNZ_OK) {
        out.clear();
        *error = tr("部件 %1 已损坏（长度或校验和不符）").arg(name);
        return false;
    }
    return true;
}

QString ResolvePartPath(const QString &fromPart, const QString &target)
{
    QStringList parts;
    if (!target.startsWith(QLatin1Char('/'))) {
        parts = fromPart.split(QLatin1Char('/'));
        parts.removeLast();
    }
    for (const QString &p : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (p == QLatin1String(".."))
            parts.isEmpty() ? void() : parts.removeLast();
        else if (p != QLatin1String("."))
            parts.append(p);
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace qor::xlsx
