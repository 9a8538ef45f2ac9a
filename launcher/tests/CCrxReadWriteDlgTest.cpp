#include "launcher/CCrxReadWriteDlg.h"

#include "launcher/tests/ArchiveWorkFixture.h"
#include "launcher/tests/ScriptedLibraryCalls.h"
#include "shared/controls/FindControlById.h"

#include "testsupport/QtPrinters.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace tovanel::test {

namespace {

class CCrxReadWriteDlgTest : public ArchiveWorkFixture
{
protected:
    // Runs a dialog on the sample (read) or into "saved.crx" (full write).
    int Run(CCrxReadWriteJob::Mode mode, const std::function<void(CCrxReadWriteDlg&)>& act = {})
    {
        CCrxReadWriteDlg dialog;
        dialog.Job().m_mode = mode;
        dialog.Job().m_strArchivePath =
            mode == CCrxReadWriteJob::Mode::Read ? CopySample("sample.crx") : Scratch("saved.crx");
        dialog.Job().m_strWorkFolder = LocalDataFolder();
        dialog.Job().m_strResourceFolder = CBasePath::GetResourcePath();
        dialog.m_strMessage = "Reading";
        dialog.m_strCaption = "Caption";
        if (act)
            QTimer::singleShot(50, &dialog, [&dialog, act] { act(dialog); });
        return dialog.DoModal();
    }

    static QString Text(CCrxReadWriteDlg& dialog)
    {
        return qobject_cast<QLabel*>(
                   FindControlById(&dialog, CCrxReadWriteDlg::IDC_STATIC_CRX_PROC))
            ->text();
    }
};

TEST_F(CCrxReadWriteDlgTest, EachResultHasItsMessageAndDialogResult)
{
    const auto R = CCrxReadWriteJob::Mode::Read;
    const auto W = CCrxReadWriteJob::Mode::WriteFull;
    const struct
    {
        CCrxReadWriteJob::Mode mode;
        const char* step;
        CrxResult code;
        int result;
        const char* key; // "" = no message
        const char* text;
        platform::MessageIcon icon;
        CrxDetail detail = {};
    } cases[] = {
        {R, "", CRX_OK, 1, "", "", platform::MessageIcon::None},
        {R, "ImportHeader", CRX_E_UNPACK, 0, "CRDS_MSG_E_OPENCRP",
         "The setting file could not be opened.\n[E000000C]", platform::MessageIcon::Error},
        {R, "ImportContents", CRX_E_SAX_FATAL, 0, "CRDS_MSG_E_OPENCRP",
         "The setting file could not be opened.\n[E0000015]", platform::MessageIcon::Error},
        {R, "ImportInitSettingDB", CRX_E_CANCELLED, 0, "", "", platform::MessageIcon::None},
        {R, "ImportHeader", CRX_E_SYSTEM_MISMATCH, 0, "CRDS_MSG_E_MISMATCHCRP",
         "This setting file was made for another system and cannot be opened.",
         platform::MessageIcon::Warning},
        {W, "ExportFull", CRX_E_NO_SETTINGDB, 0, "CRDS_MSG_E_SAVECRP",
         "The setting file could not be saved.\n[E0000004]", platform::MessageIcon::Error},
        {W, "ExportFull", CRX_E_CANCELLED, 0, "", "", platform::MessageIcon::None},
        // Where the library found the fault, when it says.
        {R, "ImportInitSettingDB", CRX_E_FILE_ACCESS, 0, "CRDS_MSG_E_OPENCRP",
         "The setting file could not be opened.\n[E000003A]\nRefused statement: CREATE TRIGGER t",
         platform::MessageIcon::Error, CrxDetail{{}, {}, {}, "CREATE TRIGGER t", 0}},
        {W, "ExportFull", CRX_E_XML_UTF8, 0, "CRDS_MSG_E_SAVECRP",
         "The setting file could not be saved.\n[E0000018]\nTable: CIA001\nRow: 0001, "
         "02\nColumn: ITEMNAME",
         platform::MessageIcon::Error, CrxDetail{"CIA001", "0001, 02", "ITEMNAME", {}, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step + QString::number(c.code, 16).toStdString());
        m_messages.clear();
        ScriptedLibraryCalls calls;
        calls.m_strStep = c.step;
        calls.m_nFailure = c.code;
        calls.m_detail = c.detail;
        EXPECT_EQ(Run(c.mode), c.result);
        if (*c.key == 0) {
            EXPECT_TRUE(m_messages.isEmpty());
            continue;
        }
        ASSERT_EQ(m_messages.size(), 1);
        EXPECT_EQ(m_messages[0].key, c.key);
        EXPECT_EQ(m_messages[0].text, c.text);
        EXPECT_EQ(m_messages[0].caption, "Caption");
        EXPECT_EQ(m_messages[0].icon, c.icon);
    }
}

TEST_F(CCrxReadWriteDlgTest, AbortAndCloseSetTheFlagAndTheDialogWaitsForTheJob)
{
    for (const bool byClose : {false, true}) {
        ScriptedLibraryCalls calls;
        calls.m_strStep = "ImportContents";
        QString before;
        QString after;
        bool stillOpen = false;
        const int result = Run(CCrxReadWriteJob::Mode::Read, [&](CCrxReadWriteDlg& dialog) {
            before = Text(dialog);
            // Enter and Escape do nothing.
            for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(&dialog, &press);
            }
            stillOpen = dialog.isVisible();
            if (byClose)
                dialog.close();
            else
                qobject_cast<QAbstractButton*>(
                    FindControlById(&dialog, CCrxReadWriteDlg::IDC_BUTTON_ABORT))
                    ->click();
            after = Text(dialog);
        });
        EXPECT_EQ(result, 0);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(before, "Reading");
        EXPECT_EQ(after, "Aborting...");
        EXPECT_TRUE(m_messages.isEmpty());
    }
}

TEST_F(CCrxReadWriteDlgTest, TheTemplateCarriesItsKeysAndTheCallersTexts)
{
    CCrxReadWriteDlg dialog;
    EXPECT_EQ(Text(dialog), "CRDC_STATIC_CRX_PROC");
    ScriptedLibraryCalls calls;
    calls.m_strStep = "ImportHeader"; // waits for the abort
    QString title;
    QString button;
    Run(CCrxReadWriteJob::Mode::Read, [&](CCrxReadWriteDlg& shown) {
        title = shown.windowTitle();
        button = qobject_cast<QAbstractButton*>(
                     FindControlById(&shown, CCrxReadWriteDlg::IDC_BUTTON_ABORT))
                     ->text();
        shown.close();
    });
    EXPECT_EQ(title, "Caption");
    EXPECT_EQ(button, "Abort");
}

} // namespace

} // namespace tovanel::test
