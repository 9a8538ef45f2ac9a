#include "goods/base/CMainListCtrl.h"

#include "goods/base/CMainListHeaderCtrl.h"

#include <QScrollBar>

CMainListCtrl::CMainListCtrl(QWidget* parent) : QTableView(parent)
{
    setHorizontalHeader(new CMainListHeaderCtrl(Qt::Horizontal, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    setTabKeyNavigation(false);
    for (QScrollBar* bar : {verticalScrollBar(), horizontalScrollBar()})
        connect(bar, &QScrollBar::actionTriggered, this, &CMainListCtrl::OnScrollAction);
}

void CMainListCtrl::OnScrollAction()
{
    setFocus(Qt::MouseFocusReason);
    emit scrollStarting();
}
