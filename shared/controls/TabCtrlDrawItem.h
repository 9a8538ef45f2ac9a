#pragma once

class QPainter;
class QTabBar;

// Draws one tab of a tab bar in the tools' colours: light yellow with an
// orange bar for the current tab, light green for the others. Called from a
// tab bar's paint event for each tab.
void TabCtrlDrawItem(const QTabBar* tab, QPainter* painter, int index);
