#pragma once
// The one window of the process that shows the blob field of the current cell: a picture, a
// memo, or a label saying the bytes are empty or of no known kind.
#include <QImage>
#include <QWidget>
#include "platform/qor_global.h"

class QLabel;
class QPlainTextEdit;

namespace qor {

namespace db {
class TField;
}

// The picture a blob holds: the kinds grid documents store, then whatever else Qt reads
// (PNG); null when the bytes are none of them.
QOR_AUTOTEST_EXPORT QImage PictureFromBlob(const QByteArray &bytes);

class QOR_AUTOTEST_EXPORT BlobViewer : public QWidget {
    Q_OBJECT
public:
    // The field's value in its data set's read record; creates the window on first use.
    static void Show(db::TField &field);
    // Every part hidden and emptied; the window stays where it is.
    static void ClearBindings();
    static void HideViewer();
    // The window, when one was made.
    static BlobViewer *Instance();

    QLabel *ImagePart() const { return m_image; }
    QPlainTextEdit *MemoPart() const { return m_memo; }
    QLabel *InfoPart() const { return m_info; }

private:
    BlobViewer();
    void clear();
    void display(db::TField &field);

    QLabel *m_image;
    QPlainTextEdit *m_memo;
    QLabel *m_info;
};

} // namespace qor
