#pragma once

#include "shared/lang/CSarvikApp.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>

#include <gtest/gtest.h>

// The library's language texts from the suite's own language file.
inline void LoadSuiteLangTexts()
{
    CSarvikApp::Instance().LoadLangDatas(QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
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

using korvane::test::RunModal;

inline void ClickControl(QWidget* root, uint id)
{
    auto* button = qobject_cast<QAbstractButton*>(FindControlById(root, id));
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

// The import check of a created dialog: an error kind and key left from an
// earlier value are cleared; accepted texts give `value` after the commit.
inline void ExpectImportCheck(CSubItemSetDlg& dlg, const QString& text, int allowEmpty,
                              const char* refusedKey, const QString& value)
{
    CErrDataInfo::DataErrTypetag type = CErrDataInfo::DATAERR_WARNING;
    QString key = QStringLiteral("stale");
    const bool ok = dlg.SetValueImportTextData(text, allowEmpty, type, key);
    EXPECT_FALSE(dlg.isVisible());
    if (QLatin1String(refusedKey).isEmpty()) {
        EXPECT_TRUE(ok);
        EXPECT_EQ(type, CErrDataInfo::DATAERR_NONE);
        EXPECT_EQ(key, "");
        EXPECT_TRUE(dlg.CommitInputData());
        EXPECT_EQ(dlg.GetValue(), value);
    } else {
        EXPECT_FALSE(ok);
        EXPECT_EQ(type, CErrDataInfo::DATAERR_ERROR);
        EXPECT_EQ(key, QLatin1String(refusedKey));
    }
}
