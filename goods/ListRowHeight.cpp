#include "goods/ListRowHeight.h"

#include "shared/dialogs/CSelectItemDlg.h"

#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>

namespace brelkin {

namespace {

class CRowHeightDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), CSelectItemDlg::RowHeight(option.fontMetrics)));
        return size;
    }
};

} // namespace

int SetListRowHeight(QTreeView* list)
{
    list->setItemDelegate(new CRowHeightDelegate(list));
    return CSelectItemDlg::RowHeight(list->fontMetrics());
}

} // namespace brelkin
