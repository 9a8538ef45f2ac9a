#pragma once

class QWidget;

// The modal dialog that stands over the owner (a visible modal dialog whose
// chain of parents reaches the owner within ten steps), the application's
// active modal widget first; the owner itself when there is none.
QWidget* GetStartupActiveWindow(QWidget* owner);

// Brings a window forward with Qt's own means: shown normally first when
// force is set or it is minimised and visible, then raised and activated.
// No system-wide setting is touched; a window manager may still refuse to
// take the focus from another program (see ForegroundWindow.cpp).
void SetForegroundWindowEx(QWidget* window, bool force);
