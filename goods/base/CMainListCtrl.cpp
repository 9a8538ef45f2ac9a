#include "goods/base/CMainListCtrl.h"

#include "goods/base/CMainListHeaderCtrl.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

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

void CMainListCtrl::SetColumnWidthShowingTitle(int column, int width)
{
    const QString title =
        model() ? model()->headerData(column, Qt::Horizontal).toString() : QString();
    const QHeaderView* header = horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int titleWidth = QFontMetrics(header->font()).horizontalAdvance(title) + 2 * margin + 2;
    setColumnWidth(column, std::max(width, title.isEmpty() ? 0 : titleWidth));
}

void CMainListCtrl::WidenColumnToCells(int column)
{
    if (!model())
        return;
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int row = 0; row < model()->rowCount(); ++row)
        widest = std::max(widest,
                          metrics.horizontalAdvance(model()->index(row, column).data().toString()));
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    setColumnWidth(column, std::max(columnWidth(column), widest + margins + 2));
}
