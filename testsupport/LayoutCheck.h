#pragma once

// The layout rules every window of the suite keeps, checked on a window as the
// user sees it (its texts translated, its lists filled): it fits a 1280 x 800
// screen and, once shown, lies on it; every visible control lies inside it
// (a control in a scroll area inside the area's content, which scrolls to
// all of it); every text shows whole; a code or number column fits its widest
// cell, and no column is cut while its list has room to spare; rows are as
// high as their text and a list shows two of them; no two sibling controls
// overlap (keys on the key sheet stand where the user's layout puts them).

#include "testsupport/QtPrinters.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSize>
#include <QStringList>

#include <functional>

class QWidget;

namespace korvane::test {

inline constexpr QSize kLayoutScreen(1280, 800);

// The key of the plugin that runs the watcher inside a program started end to
// end (testsupport/LayoutProbe.cpp).
inline constexpr char kLayoutProbe[] = "korvanelayoutprobe";

// One line per fault, naming the window, the control and its text.
QStringList LayoutFaults(QWidget* window);

// While it lives, every window shown is checked as it comes up, and again
// once a switch has changed its layout (a page shown or hidden, the window
// resized): when the event loop next runs, or as the window closes. Each
// fault is reported once.
class LayoutWatcher : public QObject
{
public:
    using Report = std::function<void(const QString& fault)>;
    explicit LayoutWatcher(Report report);
    ~LayoutWatcher() override;
    LayoutWatcher(const LayoutWatcher&) = delete;
    LayoutWatcher& operator=(const LayoutWatcher&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void check(QWidget* window);
    void checkChanged();

    Report m_report;
    QSet<QString> m_reported;
    // The windows shown, by the class they were shown as: a window whose
    // class has changed is being destroyed and is not looked at again.
    QHash<QWidget*, QByteArray> m_shown;
    QList<QPointer<QWidget>> m_changed;
    bool m_checking = false;
};

// The watcher of the widget tests: each fault is a test failure.
class LayoutWatch : public LayoutWatcher
{
public:
    LayoutWatch();
};

} // namespace korvane::test
