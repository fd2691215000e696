#include "objects/ole_container.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QUrl>
#include "io/byte_stream.h"
#include "platform/message_box.h"
#include "platform/url_opener.h"

namespace qor {

namespace {

constexpr char PackageTag[] = "QPKG";
constexpr qsizetype MaxNameBytes = 4096;

QString platformChooser(QWidget *parent) { return QFileDialog::getOpenFileName(parent, QStringLiteral("插入对象")); }

TQorOleContainer::FileChooser &chooser()
{
    static TQorOleContainer::FileChooser c = platformChooser;
    return c;
}

} // namespace

// A click gives the focus: the focused document is the active one.
TQorOleContainer::TQorOleContainer(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    resize(160, 90);
}
TQorOleContainer::~TQorOleContainer() = default;

void TQorOleContainer::SetFileChooser(FileChooser c)
{
    chooser() = c ? std::move(c) : FileChooser(platformChooser);
}

QByteArray TQorOleContainer::MakePackage(const QString &name, const QByteArray &bytes)
{
    ByteWriter out(bytes.size() + name.size() * 3 + 16);
    out.writeTag(PackageTag);
    const QByteArray n = name.toUtf8();
    out.writeI32(int32_t(n.size()));
    out.writeBytes(n);
    out.writeI32(int32_t(bytes.size()));
    out.writeBytes(bytes);
    return out.take();
}

void TQorOleContainer::LoadImage(const QByteArray &image)
{
    m_image = image;
    readPackage();
    update();
}

// Only an image of ours is a package; any other is kept and shown by its name alone.
void TQorOleContainer::readPackage()
{
    m_packageName.clear();
    m_packageAt = -1;
    m_packageSize = 0;
    try {
        ByteReader in(m_image);
        if (m_image.size() < 4 || !in.peekTag(PackageTag))
            return;
        in.skip(4);
        const int32_t n = in.readI32();
        if (n < 0 || n > MaxNameBytes)
            return;
        const QString name = QString::fromUtf8(in.readBytes(n));
        const int32_t size = in.readI32();
        if (size < 0 || size != in.remaining())
            return;
        m_packageName = name;
        m_packageAt = in.pos();
        m_packageSize = size;
    } catch (const StreamFormatError &) {
    }
}

QByteArray TQorOleContainer::PackageBytes() const
{
    return m_packageAt < 0 ? QByteArray() : m_image.mid(m_packageAt, m_packageSize);
}

bool TQorOleContainer::EmbedFile(const QString &fileName, QString *error)
{
    QFile f(fileName);
    // A package rides inside a 32-bit record; a file that large is no form's attachment.
    if (!f.open(QIODevice::ReadOnly) || f.size() > 256 * 1024 * 1024) {
        if (error)
            *error = f.isOpen() ? QStringLiteral("文件太大：%1").arg(QDir::toNativeSeparators(fileName))
                                : QStringLiteral("无法读取文件：%1").arg(QDir::toNativeSeparators(fileName));
        return false;
    }
    LoadImage(MakePackage(QFileInfo(fileName).fileName(), f.readAll()));
    return true;
}

void TQorOleContainer::Activate()
{
    if (IsEmpty()) {
        const QString file = chooser()(this);
        QString error;
        if (!file.isEmpty() && !EmbedFile(file, &error))
            platform::MessageBox(this, error, QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    if (m_packageName.isEmpty())
        return;   // another program's document: nothing here can open it
    // The desktop opens a copy, so the embedded bytes stay as they are.
    static QTemporaryDir dir;
    const QString path = dir.filePath(QFileInfo(m_packageName).fileName());
    QFile out(path);
    if (!dir.isValid() || !out.open(QIODevice::WriteOnly) || out.write(PackageBytes()) != m_packageSize) {
        platform::MessageBox(this, QStringLiteral("无法打开 %1").arg(m_packageName), QStringLiteral("提示"),
                             platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    out.close();
    platform::OpenUrl(QUrl::fromLocalFile(path));
}

void TQorOleContainer::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1, Qt::DashLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QString what = IsEmpty() ? QStringLiteral("（双击插入对象）")
                         : m_packageName.isEmpty() ? QStringLiteral("嵌入对象")
                                                   : m_packageName;
    p.setPen(QColor(0x20, 0x20, 0x20));
    p.drawText(rect().adjusted(4, 4, -4, -4), Qt::AlignCenter | Qt::TextWordWrap,
               objectName().isEmpty() ? what : objectName() + QLatin1Char('\n') + what);
}

} // namespace qor
