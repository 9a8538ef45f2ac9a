#include "monitor/CDDropEdit.h"

#include "monitor/CMainDlg.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace mervolt {

QStringList DroppedLocalFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

void AcceptFileDrag(QDropEvent* event)
{
    if (!DroppedLocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

CDDropEdit::CDDropEdit(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setAcceptDrops(true);
}

CDDropEdit::~CDDropEdit() = default;

bool CDDropEdit::DropFiles(const QStringList& paths)
{
    auto* window = qobject_cast<CMainDlg*>(parentWidget());
    if (!window || paths.isEmpty())
        return false;
    // The control that follows the edit among the window's children.
    const QObjectList& siblings = window->children();
    const qsizetype at = siblings.indexOf(this);
    auto* select = at >= 0 && at + 1 < siblings.size()
                       ? qobject_cast<QAbstractButton*>(siblings[at + 1])
                       : nullptr;
    if (!select)
        return false;
    window->SetDroppedPath(paths.first());
    QMetaObject::invokeMethod(select, &QAbstractButton::click, Qt::QueuedConnection);
    return true;
}

void CDDropEdit::dragEnterEvent(QDragEnterEvent* event)
{
    AcceptFileDrag(event);
}

void CDDropEdit::dragMoveEvent(QDragMoveEvent* event)
{
    AcceptFileDrag(event);
}

void CDDropEdit::dropEvent(QDropEvent* event)
{
    if (DropFiles(DroppedLocalFiles(event->mimeData())))
        event->acceptProposedAction();
    else
        event->ignore();
}

} // namespace mervolt
