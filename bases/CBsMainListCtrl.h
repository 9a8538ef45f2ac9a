#pragma once

#include <QTableView>

namespace dunmarel {

// The list control of the setting detail page: a report list over a model
// that holds no texts, with grid lines and whole-row selection; the view
// never sorts by itself.
class CBsMainListCtrl : public QTableView
{
    Q_OBJECT

public:
    explicit CBsMainListCtrl(QWidget* parent = nullptr);
};

} // namespace dunmarel
