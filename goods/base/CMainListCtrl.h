#pragma once

#include <QTableView>

// The record list of a list window: a table view whose rows are selected
// whole, several at once. Before it scrolls it takes the focus and tells
// its window, which closes an open in-place edit first.
class CMainListCtrl : public QTableView
{
    Q_OBJECT

public:
    explicit CMainListCtrl(QWidget* parent = nullptr);

    // The width given, or more where the column's title needs it to show whole.
    void SetColumnWidthShowingTitle(int column, int width);
    // Widens the column until its widest cell shows whole.
    void WidenColumnToCells(int column);

signals:
    void scrollStarting();

private:
    void OnScrollAction();
};
