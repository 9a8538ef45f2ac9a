#pragma once

#include <QHeaderView>

// The header of the list windows: one line of its font plus a margin high,
// whatever style draws it.
class CMainListHeaderCtrl : public QHeaderView
{
    Q_OBJECT

public:
    explicit CMainListHeaderCtrl(Qt::Orientation orientation, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};
