#include "goods/base/CMainListHeaderCtrl.h"

#include "shared/controls/EditSize.h"

CMainListHeaderCtrl::CMainListHeaderCtrl(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

QSize CMainListHeaderCtrl::sizeHint() const
{
    QSize hint = QHeaderView::sizeHint();
    const int height = GetEditOneCharRect(font(), this).height();
    if (height > 0 && orientation() == Qt::Horizontal)
        hint.setHeight(height + 4);
    return hint;
}
