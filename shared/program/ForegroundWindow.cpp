#include "shared/program/ForegroundWindow.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr int kMaxParentSteps = 10;

bool isModalOver(QWidget* candidate, QWidget* owner)
{
    if (!candidate || candidate == owner || !candidate->isVisible() || !candidate->isModal())
        return false;
    QWidget* parent = candidate->parentWidget();
    for (int step = 0; parent && step < kMaxParentSteps; ++step) {
        if (parent == owner)
            return true;
        parent = parent->parentWidget();
    }
    return false;
}

} // namespace

QWidget* GetStartupActiveWindow(QWidget* owner)
{
    if (!owner)
        return nullptr;
    // The active modal widget is the topmost of a stack of modal dialogs.
    if (QWidget* modal = QApplication::activeModalWidget(); isModalOver(modal, owner))
        return modal;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (isModalOver(window, owner))
            return window;
    }
    return owner;
}

// On X11 and Wayland, activateWindow() only asks: the window manager decides.
// Many refuse to move the focus to a program the user is not working in
// ("focus stealing prevention") and mark the window as demanding attention
// instead; Wayland compositors give the focus only with an activation token.
// The window is still shown, restored and raised within its own program.
void SetForegroundWindowEx(QWidget* window, bool force)
{
    if (!window)
        return;
    if (force || (window->isMinimized() && window->isVisible())) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
    }
    window->raise();
    window->activateWindow();
}
