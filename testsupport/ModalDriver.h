#pragma once

// The one modal-dialog driver of the tests: a modal loop blocks the test, so
// the steps run from the event loop once the dialog is up. Header-only.

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace korvane::test {

// Runs act on the next modal dialog of that class once it is up (the one the
// code under test opens). A step whose dialog never came up in its own test
// is dropped: it must not act on a later test's dialog with what it refers
// to gone.
template <class Dialog> void WhenModal(std::function<void(Dialog&)> act, int attempts = 500)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    QTimer::singleShot(attempts == 500 ? 0 : 10, [act, attempts, test] {
        if (testing::UnitTest::GetInstance()->current_test_info() != test)
            return;
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
