#pragma once

#include <QtGlobal>

class QWidget;

namespace platform {
class SingleInstance;
}

// Both ends of the launcher's hand-back. While a settings program runs, the
// per-user registry value "MAINWH" holds the launcher's token (the name of
// its single-instance socket; 0 = no launcher waits). The settings program
// calls BringMainWndToFront when its window closes; the launcher's window
// receives the request over the socket and comes to the front.
class CMainWndCtrl
{
public:
    // Creates the key when missing and writes "MAINWH"; false when it cannot
    // be written (also when the product key cannot be read).
    static bool SetMainWndHandle(quint32 handle);
    // "MAINWH", 0 when missing or unreadable.
    static quint32 GetMainWndHandle();
    // Asks the window named by "MAINWH" to come to the front; the value stays.
    // False when it is 0 or nobody answers.
    static bool BringMainWndToFront();

    // Makes the window the one that "MAINWH" names while a program runs: it
    // carries the instance's token, and a request on the socket restores the
    // window (or the modal dialog over it) and brings it forward.
    static void AttachMainWnd(QWidget* window, platform::SingleInstance& instance);
    // The token a window carries (0 = none): what the launcher writes.
    static quint32 GetWindowToken(const QWidget* window);
    static void SetWindowToken(QWidget* window, quint32 token);

    // Window kinds, as the suite's key handling tells its controls apart.
    static bool IsEditWindow(const QWidget* window);
    // An edit, a combo box or a part of one (its edit or drop-down list).
    static bool IsEditORComboBox(const QWidget* window);
    static bool IsRadioButton(const QWidget* window);
    // A button that draws itself: it sets SetOwnerDraw on itself.
    static bool IsOwnerDrawButton(const QWidget* window);
    // A plain push button: not the default button, not owner-drawn.
    static bool IsPushButton(const QWidget* window);
    static void SetOwnerDraw(QWidget* button);
};
