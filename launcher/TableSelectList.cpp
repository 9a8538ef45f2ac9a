#include "launcher/TableSelectList.h"

#include <QHeaderView>
#include <QTableView>

namespace tovanel {

void SetUpTableSelectList(QTableView* list)
{
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->horizontalHeader()->setSectionsClickable(false);
    list->verticalHeader()->hide();
    list->setShowGrid(false);
}

void SetTableSelectColumnWidths(QTableView* list, int baseWidth, const QList<int>& widths)
{
    const int width = list->viewport()->width();
    const int factor = width <= baseWidth ? 1000 : width * 1000 / baseWidth;
    for (int column = 0; column < widths.size(); ++column)
        list->setColumnWidth(column, widths[column] * factor / 1000);
}

} // namespace tovanel
