// The tax window: the two rate pages, the reservation's controls and the
// question about a job command that is missing or foreign.
#include "bases/CPageDlg.h"
#include "bases/CTabDlg.h"
#include "bases/CTaxTables.h"
#include "bases/DunmarelButtonTable.h"
#include "bases/tests/BaseDbFixture.h"

#include "shared/controls/CPercentEdit.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/ModalDriver.h"

#include "platform/FileTime.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QTabWidget>
#include <QTimeEdit>

using namespace dunmarel;
using korvane::test::RunModal;

class TaxPagesTest : public BaseDbFixture
{
protected:
    void SetUp() override
    {
        BaseDbFixture::SetUp();
        CMainDlg::SetButtonTable(DunmarelButtonTable());
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            if (request.key == u"CRDS_BS_ERROR_NOTAXSCHEDULER") {
                m_questionText = request.text;
                return m_schedulerAnswer;
            }
            return int(platform::IDOK);
        });
    }
    void TearDown() override
    {
        platform::setMessageResponder({});
        BaseDbFixture::TearDown();
    }

    // The scheduler row as a user left it: the reservation off, a date and time.
    void InsertScheduler(const char* unusable = "1")
    {
        Exec(QStringLiteral("INSERT INTO CTS001 (SCHEDULERCODE, SCHEDULERNAME, STARTDATE, "
                            "STARTTIME, UNUSABLEFLG, CREATEDATETIME) VALUES ('REG900', 'x', "
                            "'20300101', '1200', '%1', '20240101000000')")
                 .arg(QLatin1String(unusable)));
    }
    void InsertCommand(const QString& name)
    {
        Exec(QStringLiteral("INSERT INTO CTS002 (ARRANGECODE, ARRANGENAME) VALUES ('REG900', '%1')")
                 .arg(name));
    }
    // The tax mode as the start-up opens it: rows prepared, then read.
    CDataManager* OpenTax()
    {
        m_modes = std::make_unique<CDunmarelModeTable>();
        CDataManager* entry = m_modes->Entry(MODE_TX);
        int err = 0;
        EXPECT_TRUE(entry->CreateSQLiteDB(CBasePath::GetLocalTemporaryPath()));
        EXPECT_TRUE(entry->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err));
        EXPECT_TRUE(m_tax.PrepareTaxTables(*entry->m_pSQliteDB, 2));
        EXPECT_TRUE(entry->GetColumnDataList()->ReadRecords(err, QString()));
        return entry;
    }
    template <class T> static T* Find(QWidget* root, uint id)
    {
        auto* control = qobject_cast<T*>(FindControlById(root, id));
        EXPECT_TRUE(control) << id;
        return control;
    }
    static void ClickOk(QWidget* dialog) { Find<QAbstractButton>(dialog, 1)->click(); }
    QString Scheduler(const char* column)
    {
        return Value(QStringLiteral("CTS001"), QLatin1String(column),
                     QStringLiteral("SCHEDULERCODE = 'REG900'"));
    }

    CTaxTables m_tax;
    QStringList m_messages;
    QString m_questionText;
    int m_schedulerAnswer = platform::IDOK;
};

TEST_F(TaxPagesTest, RatePagesShowEveryCode)
{
    CTabDlg dialog(OpenTax(), IDD_TABDLG_TAX, MODE_TX, nullptr);
    RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        ASSERT_EQ(d.TabControl()->count(), 2);
        EXPECT_EQ(d.TabControl()->tabText(0), QStringLiteral("Tax Rates"));
        EXPECT_EQ(d.TabControl()->tabText(1), QStringLiteral("Reserved Tax Rates"));
        for (uint id : {1097u, 1103u, 1109u, 1115u, 1121u, 1127u, 1226u, 1232u}) {
            auto* rate = Find<CPercentEdit>(&d, id);
            ASSERT_TRUE(rate);
            EXPECT_EQ(rate->GetIntegerDigits(), 3);
            EXPECT_EQ(rate->GetDecimalDigits(), 3);
            EXPECT_EQ(rate->text(), QStringLiteral("0"));
        }
        EXPECT_EQ(Find<QTimeEdit>(&d, 1171)->displayFormat(), QStringLiteral("HH:mm"));
        Find<CPercentEdit>(&d, 1103)->SetText(QStringLiteral("8.5"));
        Find<CEcrEdit>(&d, 1229)->SetText(QStringLiteral("Net"));
        ClickOk(&d);
    });
    EXPECT_EQ(Value("CSM001", "TAXRATE", "TAXCODE = '02'"), QStringLiteral("8.5"));
    EXPECT_EQ(Value("CSM001", "TAXABLEAMTNAME", "TAXCODE = '93'"), QStringLiteral("Net"));
    EXPECT_EQ(Value("CSM001", "TAXRATE", "TAXCODE = '01'"), QStringLiteral("0"));
}

TEST_F(TaxPagesTest, ReservationOffKeepsTheStoredDateAndTime)
{
    InsertScheduler("1");
    InsertCommand(QStringLiteral("Tax rate change"));
    CTabDlg dialog(OpenTax(), IDD_TABDLG_TAX, MODE_TX, nullptr);
    bool enabledAfterOn = false;
    bool enabledAfterOff = true;
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        auto* date = Find<QDateEdit>(&d, 1170);
        auto* time = Find<QTimeEdit>(&d, 1171);
        EXPECT_FALSE(date->isEnabled());
        EXPECT_FALSE(time->isEnabled());
        d.TabControl()->setCurrentIndex(1);
        Find<QAbstractButton>(&d, 1168)->click();
        enabledAfterOn = date->isEnabled() && time->isEnabled();
        date->setDate(QDate(2031, 2, 3));
        time->setTime(QTime(13, 45));
        Find<QAbstractButton>(&d, 1169)->click();
        enabledAfterOff = date->isEnabled() || time->isEnabled();
        ClickOk(&d);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_TRUE(enabledAfterOn);
    EXPECT_FALSE(enabledAfterOff);
    EXPECT_EQ(Scheduler("UNUSABLEFLG"), QStringLiteral("1"));
    EXPECT_EQ(Scheduler("STARTDATE"), QStringLiteral("20300101"));
    EXPECT_EQ(Scheduler("STARTTIME"), QStringLiteral("1200"));
    EXPECT_FALSE(m_messages.contains(QStringLiteral("CRDS_BS_ERROR_NOTAXSCHEDULER")));
}

TEST_F(TaxPagesTest, ReservationOnSavesDateAndTime)
{
    InsertScheduler("0");
    InsertCommand(QStringLiteral("Tax rate change"));
    CTabDlg dialog(OpenTax(), IDD_TABDLG_TAX, MODE_TX, nullptr);
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        EXPECT_TRUE(Find<QDateEdit>(&d, 1170)->isEnabled());
        EXPECT_EQ(Find<QDateEdit>(&d, 1170)->date(), QDate(2030, 1, 1));
        Find<QDateEdit>(&d, 1170)->setDate(QDate(2031, 2, 3));
        Find<QTimeEdit>(&d, 1171)->setTime(QTime(13, 45));
        ClickOk(&d);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(Scheduler("STARTDATE"), QStringLiteral("20310203"));
    EXPECT_EQ(Scheduler("STARTTIME"), QStringLiteral("1345"));
    EXPECT_EQ(m_messages, QStringList{"CRDS_CMN_COMFIRM_SAVE"});
}

// No job command (or someone else's): the question names what was found;
// Cancel goes back to the radio, OK saves anyway.
TEST_F(TaxPagesTest, MissingOrForeignCommandIsAskedAbout)
{
    const struct
    {
        const char* name; // nullptr: no command row
        QString shown;
    } cases[] = {{nullptr, QString()}, {"Steuersatzwechsel", QStringLiteral("Steuersatzwechsel")}};
    for (const auto& c : cases) {
        Exec(QStringLiteral("DELETE FROM CTS001"));
        Exec(QStringLiteral("DELETE FROM CTS002"));
        InsertScheduler("1");
        if (c.name)
            InsertCommand(QLatin1String(c.name));
        CDataManager* entry = OpenTax();
        EXPECT_TRUE(m_tax.InsertedCommandCodes().isEmpty());
        CTabDlg dialog(entry, IDD_TABDLG_TAX, MODE_TX, nullptr);
        m_messages.clear();
        int tab = -1;
        bool focused = false;
        QString afterCancel;
        const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
            d.TabControl()->setCurrentIndex(0);
            Find<QAbstractButton>(&d, 1168)->click();
            m_schedulerAnswer = platform::IDCANCEL;
            ClickOk(&d);
            tab = d.TabControl()->currentIndex();
            focused = d.focusWidget() == FindControlById(&d, 1168);
            afterCancel = Scheduler("UNUSABLEFLG");
            m_schedulerAnswer = platform::IDOK;
            ClickOk(&d);
        });
        EXPECT_EQ(result, platform::IDOK) << c.name;
        EXPECT_EQ(tab, 1);
        EXPECT_TRUE(focused);
        EXPECT_EQ(afterCancel, QStringLiteral("1"));
        EXPECT_EQ(m_messages,
                  (QStringList{"CRDS_BS_ERROR_NOTAXSCHEDULER", "CRDS_BS_ERROR_NOTAXSCHEDULER",
                               "CRDS_CMN_COMFIRM_SAVE"}));
        EXPECT_TRUE(m_questionText.contains(u'"' + c.shown + u'"')) << m_questionText.toStdString();
        EXPECT_EQ(Scheduler("UNUSABLEFLG"), QStringLiteral("0"));
        EXPECT_EQ(Rows(QStringLiteral("CTS002")).size(), c.name ? 1 : 0);
    }
}

// Another language has no reserved rates: one tab, only the current rows.
TEST_F(TaxPagesTest, OtherLanguageShowsOneTabAndMakesOnlyCurrentRates)
{
    int tabs = -1;
    bool reservedBuilt = true;
    QStringList codesWhileOpen;
    const qint64 before = platform::lastWriteTimeNs(DbPath()).value_or(0);
    const int result = RunProgram(
        QStringLiteral("/TX"), "[PRODUCT]\nPRODUCTKEY=TESTKEY\nLANGUAGE=1\n", [&](CTabDlg& d) {
            tabs = d.TabControl()->count();
            reservedBuilt = FindControlById(&d, 1168) || FindControlById(&d, 1121);
            for (const QStringList& row :
                 Rows(QStringLiteral("CSM001"), {QStringLiteral("TAXCODE")}))
                codesWhileOpen << row.value(0);
            d.reject();
        });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(tabs, 1);
    EXPECT_FALSE(reservedBuilt);
    EXPECT_EQ(codesWhileOpen, (QStringList{"01", "02", "03", "04"}));
    EXPECT_TRUE(Rows(QStringLiteral("CSM001")).isEmpty());
    EXPECT_TRUE(Rows(QStringLiteral("CTS001")).isEmpty());
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), before);
}

// Closing the window is a Cancel too; a roll-back that cannot delete is
// reported and the run ends as cancelled.
TEST_F(TaxPagesTest, StartUpRollsBackOnCloseAndReportsAFailedRollBack)
{
    const QByteArray ini = "[PRODUCT]\nPRODUCTKEY=TESTKEY\n";
    ASSERT_TRUE(platform::setLastWriteTimeNs(DbPath(), 1'600'000'000'000'000'001));
    EXPECT_EQ(RunProgram(QStringLiteral("/TX"), ini, [](CTabDlg& d) { d.close(); }),
              platform::IDCANCEL);
    EXPECT_TRUE(Rows(QStringLiteral("CSM001")).isEmpty());
    EXPECT_TRUE(Rows(QStringLiteral("CTS002")).isEmpty());
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), 1'600'000'000'000'000'001);
    EXPECT_TRUE(m_messages.isEmpty());

    const int result = RunProgram(QStringLiteral("/TX"), ini, [this](CTabDlg& d) {
        Exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON CTS002 BEGIN SELECT "
                            "RAISE(ABORT, 'kept'); END"));
        d.reject();
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(m_messages, QStringList{"CRDS_BS_ERROR_INVALIDTAXTABLE"});
    EXPECT_EQ(Rows(QStringLiteral("CSM001")).size(), 8);
}

// A preparation that fails opens no window and leaves nothing behind.
TEST_F(TaxPagesTest, FailedPreparationOpensNoWindow)
{
    Exec(QStringLiteral("CREATE TRIGGER refuse93 BEFORE INSERT ON CSM001 WHEN NEW.TAXCODE = '93' "
                        "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    ASSERT_TRUE(platform::setLastWriteTimeNs(DbPath(), 1'600'000'000'000'000'001));
    bool opened = false;
    EXPECT_EQ(RunProgram(QStringLiteral("/TX"), "[PRODUCT]\nPRODUCTKEY=TESTKEY\n",
                         [&](CTabDlg& d) {
                             opened = true;
                             d.reject();
                         }),
              0);
    EXPECT_FALSE(opened);
    EXPECT_EQ(m_messages, QStringList{"CRDS_BS_ERROR_INVALIDTAXTABLE"});
    EXPECT_TRUE(Rows(QStringLiteral("CSM001")).isEmpty());
    EXPECT_TRUE(Rows(QStringLiteral("CTS001")).isEmpty());
    EXPECT_EQ(platform::lastWriteTimeNs(DbPath()).value_or(0), 1'600'000'000'000'000'001);
}
