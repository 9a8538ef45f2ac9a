#include "goods/ListRowHeight.h"

#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>

namespace brelkin {

namespace {

constexpr int kEdge = 2;

int RowHeight(const QFontMetrics& metrics)
{
    return metrics.height() + 2 * kEdge + 2;
}

class CRowHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), RowHeight(option.fontMetrics)));
        return size;
    }
};

} // namespace

int SetListRowHeight(QTreeView* list)
{
    list->setItemDelegate(new CRowHeightDelegate(list));
    return RowHeight(list->fontMetrics());
}

} // namespace brelkin
