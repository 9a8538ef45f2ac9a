#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QUrl>

namespace pellark {

// The picture button of the stamp pages: a stamp or template drawn inside a
// black frame, the button's shape following the picture's. With the narrow
// flag only the left 384 columns show. Files dropped on a button that
// accepts them are announced by fileDropped.
class CGpImgButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CGpImgButton(QWidget* parent = nullptr);

    // Whether the button takes dropped files; set before it is shown.
    void SetAcceptFiles(bool accept);
    // true: the height stays and the width follows the picture; false: the
    // width stays and the height follows.
    void SetKeepHeight(bool keep) { m_bKeepHeight = keep; }
    // The room the button has: the kept side is taken from it, and a shape
    // that would leave it shrinks to fit (without one, the current size).
    void SetBox(const QSize& box) { m_box = box; }
    // The picture shown (owned by the page; null for none).
    void SetImage(const QImage* image);
    const QImage* Image() const { return m_pImage; }
    void SetNarrow(bool narrow);
    bool IsNarrow() const { return m_bNarrow; }

    // The first local file of a drop; the last one is kept for the page.
    void DropFiles(const QList<QUrl>& urls);
    const QString& DroppedFile() const { return m_strDropFile; }

    // The size the button takes for its picture.
    QSize ShapeFor(const QSize& current) const;

signals:
    void fileDropped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitShape();
    int ShownWidth() const;

    bool m_bAcceptFiles = false;
    QString m_strDropFile;
    bool m_bKeepHeight = true;
    const QImage* m_pImage = nullptr;
    bool m_bNarrow = false;
    QSize m_box;
};

} // namespace pellark
