#pragma once

#include "CSarvikApp.h"
#include "FindControlById.h"
#include "SuiteFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The library's language texts from the suite's own language file.
inline void LoadSuiteLangTexts()
{
    CSarvikApp::Instance().LoadLangDatas(QStringLiteral(KORVANE_SOURCE_DIR) +
                                         QStringLiteral("/resources/NolvarLANG.xml"));
}

// A suite folder with its launcher INI (the dialogs read the options INI),
// the suite's language texts, and a responder that records message keys.
class LibraryDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TEST\n");
        LoadSuiteLangTexts();
    }
    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }
    QStringList& Messages() { return m_suite.messages(); }

    SuiteFixture m_suite;
};

// Runs `act` on the dialog once its modal loop runs; `start` opens it (DoModal)
// and its result is returned.
template <class Dialog> int RunModal(Dialog& dialog, const std::function<void(Dialog&)>& act)
{
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act(dialog);
        // A step that left the dialog open ends it here, so no test hangs.
        if (dialog.isVisible())
            dialog.done(-1);
    });
    return dialog.DoModal();
}

inline void ClickControl(QWidget* root, uint id)
{
    auto* button = qobject_cast<QAbstractButton*>(FindControlById(root, id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}
