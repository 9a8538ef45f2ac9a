#include "bases/CBsMainListCtrl.h"

#include <QHeaderView>

namespace dunmarel {

CBsMainListCtrl::CBsMainListCtrl(QWidget* parent) : QTableView(parent)
{
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setWordWrap(false);
    verticalHeader()->hide();
    // Rows of one height, so the view never measures a row's text.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
}

} // namespace dunmarel
