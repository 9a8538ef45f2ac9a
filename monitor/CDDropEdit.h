#pragma once

#include <QLineEdit>

class QDropEvent;
class QMimeData;

namespace mervolt {

// The file-name edit of a media slot: read-only, it takes files dropped from
// the file manager. The first dropped file becomes the window's dropped path
// and the control after the edit (the slot's Select button) is clicked, so
// the file goes through every check of a chosen one.
class CDDropEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CDDropEdit(QWidget* parent = nullptr);
    ~CDDropEdit() override;

    // Takes the first of the dropped files; false when there is none or no
    // window to take it.
    bool DropFiles(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The local files of a drop, in order.
QStringList DroppedLocalFiles(const QMimeData* data);
// A drag over a control that takes files: accepted when it carries one.
void AcceptFileDrag(QDropEvent* event);

} // namespace mervolt
