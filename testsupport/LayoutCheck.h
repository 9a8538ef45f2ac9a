#pragma once

// The layout rules every window of the suite keeps, checked on a window as the
// user sees it (its texts translated, its lists filled): it fits a 1280 x 800
// screen, every visible control lies inside it, every text shows whole, a code
// column fits its widest code and no two sibling controls overlap.

#include "testsupport/QtPrinters.h"

#include <QObject>
#include <QSet>
#include <QSize>
#include <QStringList>

class QWidget;

namespace korvane::test {

inline constexpr QSize kLayoutScreen(1280, 800);

// One line per fault, naming the window, the control and its text.
QStringList LayoutFaults(QWidget* window);

// While it lives, every window shown is checked as it comes up; each fault
// is a test failure.
class LayoutWatch : public QObject
{
public:
    LayoutWatch();
    ~LayoutWatch() override;
    LayoutWatch(const LayoutWatch&) = delete;
    LayoutWatch& operator=(const LayoutWatch&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check(QWidget* window);

    QSet<QString> m_reported;
};

} // namespace korvane::test
