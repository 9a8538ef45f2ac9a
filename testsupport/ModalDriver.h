#pragma once

// The one modal-dialog driver of the tests: a modal loop blocks the test, so
// the steps run from the event loop once the dialog is up. Header-only.

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace korvane::test {

// Runs act on the next modal dialog of that class once it is up (the one the
// code under test opens).
template <class Dialog> void WhenModal(std::function<void(Dialog&)> act, int attempts = 500)
{
    QTimer::singleShot(attempts == 500 ? 0 : 10, [act, attempts] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog)
            act(*dialog);
        else if (attempts > 0)
            WhenModal<Dialog>(act, attempts - 1); // not up yet
    });
}

// Opens the dialog (DoModal) and runs act once it is up; a step that left it
// open ends it with -1, so no test hangs. The dialog's result.
template <class Dialog> int RunModal(Dialog& dialog, const std::function<void(Dialog&)>& act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act(dialog);
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.DoModal();
}

} // namespace korvane::test
