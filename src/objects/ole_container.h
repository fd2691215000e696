#pragma once
// An embedded document anchored to a cell. This platform has no embedded-document services:
// a container keeps the stream image it was read from byte for byte, draws a framed
// placeholder with its name, and, when empty, takes a file the user picks as a package (kept
// as bytes, opened with the desktop's own program on a double click).
#include <QByteArray>
#include <QString>
#include <QWidget>
#include <functional>
#include "platform/qor_global.h"

namespace qor {

class QOR_EXPORT TQorOleContainer : public QWidget {
    Q_OBJECT

public:
    explicit TQorOleContainer(QWidget *parent = nullptr);
    ~TQorOleContainer() override;

    // Nothing embedded yet.
    bool IsEmpty() const { return m_image.isEmpty(); }
    // The stream image the container was read from or made: written back exactly.
    const QByteArray &Image() const { return m_image; }
    void LoadImage(const QByteArray &image);
    // The one byte the record stores beside the image.
    uint8_t Flag = 0;

    // Embeds a file as a package; false (and the container unchanged) when it cannot be read.
    bool EmbedFile(const QString &fileName, QString *error = nullptr);
    // The package's file name and bytes; empty for an image of another program.
    QString PackageName() const { return m_packageName; }
    QByteArray PackageBytes() const;
    // Asks for a file when empty, else opens the package with the desktop's program.
    void Activate();

    // The image of an embedded file: a tag, its name and its bytes.
    static QByteArray MakePackage(const QString &name, const QByteArray &bytes);
    // How Activate asks for a file (the platform's file dialog by default); tests answer it.
    using FileChooser = std::function<QString(QWidget *parent)>;
    static void SetFileChooser(FileChooser chooser);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void readPackage();
    QByteArray m_image;
    QString m_packageName;
    qsizetype m_packageAt = -1, m_packageSize = 0;
};

} // namespace qor
