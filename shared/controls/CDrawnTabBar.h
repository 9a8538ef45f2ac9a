#pragma once

#include <QTabBar>

// A tab bar whose tabs are drawn in the tools' colours (TabCtrlDrawItem).
class CDrawnTabBar : public QTabBar
{
    Q_OBJECT

public:
    using QTabBar::QTabBar;
    ~CDrawnTabBar() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
