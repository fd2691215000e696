#include "dataset/blob_viewer.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>
#include "io/picture_kind.h"
#include "platform/db/field.h"

namespace qor {

namespace {
QPointer<BlobViewer> &instance()
{
    static QPointer<BlobViewer> viewer;
    return viewer;
}
} // namespace

QImage PictureFromBlob(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QImage();
    QImage image = DecodePicture(bytes).image;
    return image.isNull() ? QImage::fromData(bytes) : image;
}

BlobViewer::BlobViewer() : QWidget(nullptr, Qt::Tool)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(this);
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_memo = new QPlainTextEdit(this);
    m_memo->setReadOnly(true);
    m_info = new QLabel(this);
    m_info->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_image);
    layout->addWidget(m_memo);
    layout->addWidget(m_info);
    resize(320, 240);
    // The bottom-right corner of the desktop's work area.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() + 1, area.bottom() - height() + 1);
    }
    clear();
}

BlobViewer *BlobViewer::Instance() { return instance(); }

void BlobViewer::clear()
{
    m_image->clear();
    m_image->hide();
    m_memo->clear();
    m_memo->hide();
    m_info->clear();
    m_info->hide();
}

void BlobViewer::ClearBindings()
{
    if (BlobViewer *v = instance())
        v->clear();
}

void BlobViewer::HideViewer()
{
    if (BlobViewer *v = instance()) {
        v->clear();
        v->hide();
    }
}

void BlobViewer::Show(db::TField &field)
{
    if (!instance())
        instance() = new BlobViewer;
    instance()->display(field);
}

void BlobViewer::display(db::TField &field)
{
    clear();
    setWindowTitle(field.DisplayLabel());
    const QVariant value = field.Value();
    if (field.DataType() == db::ftMemo || field.DataType() == db::ftFmtMemo) {
        m_memo->setPlainText(value.toString());
        m_memo->show();
    } else {
        const QByteArray bytes = value.toByteArray();
        const QImage image = PictureFromBlob(bytes);
        if (!image.isNull()) {
            m_image->setPixmap(QPixmap::fromImage(image));
            m_image->show();
        } else {
            m_info->setText(bytes.isEmpty() ? QStringLiteral("( Empty )") : QStringLiteral("( Unknow )"));
            m_info->show();
        }
    }
    QWidget::show();
}

} // namespace qor
