// The function-key editor: which page a key gets, what a save writes, and a
// save that fails leaving the key as it was.
#include "functions/CFcBasePageDlg.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMultiPageDlg.h"
#include "functions/CFcTabDlg.h"
#include "functions/FcDialogIds.h"

#include "functions/tests/FcDbFixture.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/WindowText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

using namespace kesmond;

namespace {

const QString kNow = QStringLiteral("20240506070809");

class CFcTabDlgTest : public FcDbFixture
{
protected:
    void TearDown() override
    {
        m_editor.reset(); // before the list it belongs to
        FcDbFixture::TearDown();
    }
    // The editor of a key of the list, made as the list makes it.
    CFcTabDlg& Edit(const QString& key)
    {
        if (!m_window)
            OpenList();
        int row = 0;
        while (row < m_window->Model()->rowCount() &&
               m_window->Model()->index(row, 1).data().toString() != key)
            ++row;
        m_editor = std::make_unique<CFcTabDlg>(m_modes->Entry(0), row + 1, false, m_window.get(),
                                               IDD_FC_TAB, m_window->PageTemplateOfRow(row), 0);
        EXPECT_TRUE(m_editor->Create());
        return *m_editor;
    }
    QWidget* Control(uint id) { return FindControlById(m_editor->Page(), id); }
    QString Text(uint id) { return GetWindowText(Control(id)); }
    void Type(uint id, const QString& text)
    {
        auto* edit = qobject_cast<CEcrEdit*>(Control(id));
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
    }
    void ChooseFunction(const QString& code)
    {
        auto* combo = qobject_cast<QComboBox*>(Control(IDC_FC_FUNCTION));
        const int index = combo->findText(code, Qt::MatchStartsWith);
        ASSERT_GE(index, 0) << code.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        QCoreApplication::processEvents();
    }
    // OK; the dialog's result (0 while it stays open).
    int Ok()
    {
        m_editor->accept();
        return m_editor->result();
    }
    QStringList KeyRow(const QString& key)
    {
        return Rows("CSB002", {}, QStringLiteral("FUNCKEYCODE = '%1'").arg(key)).value(0);
    }

    std::unique_ptr<CFcTabDlg> m_editor;
};

TEST_F(CFcTabDlgTest, TheFunctionChoosesThePage)
{
    EXPECT_EQ(Edit("000001").PageTemplateId(), unsigned(IDD_FC_PAGE_BASIC));
    EXPECT_EQ(Edit("000004").PageTemplateId(), unsigned(IDD_FC_PAGE_AMOUNT));
    EXPECT_NE(Control(IDC_FC_AMOUNT), nullptr);
    EXPECT_EQ(Control(IDC_FC_RATE), nullptr);
    EXPECT_EQ(Edit("000005").PageTemplateId(), unsigned(IDD_FC_PAGE_RATE));
    EXPECT_NE(Control(IDC_FC_RATE), nullptr);
    Exec("INSERT INTO CSM015 (FUNCTIONCODE, FUNCSETCODEID, FUNCSETCODE, TITLE, SETVALUETYPE) "
         "VALUES ('000099', '000001', 'X', 'X', '01000000000000000000')");
    EXPECT_EQ(Edit("000001").PageTemplateId(), unsigned(IDD_FC_PAGE_PROPERTIES));
    EXPECT_EQ(Edit("000004").PageTemplateId(), unsigned(IDD_FC_PAGE_PROPERTIES));
}

TEST_F(CFcTabDlgTest, ChoosingARateFunctionRebuildsTheAmountPageAsTheRatePage)
{
    Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE) VALUES ('000004', 'VALUE', '100')");
    Edit("000004");
    EXPECT_EQ(Text(IDC_FC_AMOUNT), "100");
    Type(IDC_FC_NAME, "NEWNAME");
    ChooseFunction("000028");
    EXPECT_EQ(m_editor->PageTemplateId(), unsigned(IDD_FC_PAGE_RATE));
    EXPECT_EQ(Control(IDC_FC_AMOUNT), nullptr);
    EXPECT_EQ(Text(IDC_FC_RATE), "100");
    EXPECT_EQ(qobject_cast<QComboBox*>(Control(IDC_FC_FUNCTION))->currentText(),
              "000028 Percent Discount");
    EXPECT_EQ(Text(IDC_FC_NAME), "DISC"); // the stored values of the record
    // The function the page already has keeps it.
    const QWidget* page = m_editor->Page();
    ChooseFunction("000028");
    EXPECT_EQ(m_editor->Page(), page);
}

TEST_F(CFcTabDlgTest, SavesKeepTheKeyAndItsCreationAndRenewTheUpdate)
{
    Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE) VALUES "
         "('000001', 'VALUE', '5'), ('000001', 'OTHER', 'x')");
    const struct
    {
        const char* key;
        uint edit;
        const char* value;
        const char* stored;
    } cases[] = {
        // The basic page deletes the key's settings and writes none.
        {"000001", 0, "", "<no row>"},
        {"000004", IDC_FC_AMOUNT, "250", "250"},
        {"000005", IDC_FC_RATE, "1.15", "1.15"},
        {"000005", IDC_FC_RATE, "0.29", "0.29"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Edit(QLatin1String(c.key));
        Type(IDC_FC_NAME, "RENAMED");
        if (c.edit)
            Type(c.edit, QLatin1String(c.value));
        ASSERT_EQ(Ok(), 1);
        EXPECT_EQ(KeyRow(c.key), QStringList({c.key, "RENAMED",
                                              Rows("CSB002", {"FUNCTIONCODE"},
                                                   QStringLiteral("FUNCKEYCODE = '%1'").arg(c.key))
                                                  .value(0)
                                                  .value(0),
                                              "", kOld, kNow}));
        EXPECT_EQ(StoredValue(QLatin1String(c.key)), QLatin1String(c.stored));
        EXPECT_EQ(Rows("CSB003", {"FUNCSETCODE"},
                       QStringLiteral("FUNCKEYCODE = '%1' AND FUNCSETCODE <> 'VALUE'").arg(c.key))
                      .size(),
                  0);
        // The shown rate is the stored text as it stands.
        if (c.edit == IDC_FC_RATE) {
            Edit(QLatin1String(c.key));
            EXPECT_EQ(Text(IDC_FC_RATE), QLatin1String(c.value));
        }
    }
    EXPECT_EQ(Rows("CSB002").size(), 5);
}

TEST_F(CFcTabDlgTest, ALongStoredValueShowsWholeAndSavesUnchanged)
{
    Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE) VALUES "
         "('000004', 'VALUE', '123456789'), ('000005', 'VALUE', '12345.678')");
    for (const auto& [key, edit, value] :
         {std::tuple<const char*, uint, const char*>{"000004", IDC_FC_AMOUNT, "123456789"},
          {"000005", IDC_FC_RATE, "12345.678"}}) {
        SCOPED_TRACE(key);
        Edit(QLatin1String(key));
        EXPECT_EQ(Text(edit), QLatin1String(value));
        ASSERT_EQ(Ok(), 1);
        EXPECT_EQ(StoredValue(QLatin1String(key)), QLatin1String(value));
    }
}

TEST_F(CFcTabDlgTest, AFailingValueInsertLeavesTheKeyAsItWas)
{
    Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE) VALUES ('000004', 'VALUE', '100')");
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSB003 BEGIN SELECT RAISE(ABORT, 'no'); END");
    const QList<QStringList> keys = Rows("CSB002");
    const QList<QStringList> settings = Rows("CSB003");
    Edit("000004");
    Type(IDC_FC_NAME, "RENAMED");
    Type(IDC_FC_AMOUNT, "300");
    m_suite.messages().clear();
    EXPECT_EQ(Ok(), 0);
    EXPECT_EQ(Text(IDC_FC_NAME), "RENAMED"); // still open with the input
    EXPECT_EQ(m_suite.messages(), QStringList({"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                                               "CRDS_CMN_ERR_SETWRITE_FAILED"}));
    EXPECT_EQ(Rows("CSB002"), keys);
    EXPECT_EQ(Rows("CSB003"), settings);
    EXPECT_EQ(m_window->Model()->index(2, 2).data().toString(), "DISC");
    // Once the trigger is gone, the same dialog saves.
    Exec("DROP TRIGGER refuse");
    EXPECT_EQ(Ok(), 1);
    EXPECT_EQ(StoredValue("000004"), "300");
}

class CFcMultiPageDlgTest : public CFcTabDlgTest
{
protected:
    void SetUp() override
    {
        CFcTabDlgTest::SetUp();
        Exec("INSERT INTO CSM015 (FUNCTIONCODE, FUNCSETCODEID, FUNCSETCODE, TITLE, SETVALUETYPE, "
             "DEFAULTSET, CREATEDATETIME, UPDATEDATETIME) VALUES "
             "('000001', '000001', 'LIMIT', 'Limit', '02060000000000000000', '0', '2001', '2001'), "
             "('000001', '000002', 'FROM', 'From', '03000000000000000000', '', '2001', '2001'), "
             "('000001', '000003', 'AT', 'At', '04000000000000000000', '0930', '2001', '2001'), "
             "('000001', '000004', 'MODE', 'Mode', '10000000000000000000', 'B', '2001', '2001'), "
             "('000001', '000005', 'FUNCKEYNAME', 'Name', '01000000000000000000', '', '2001', "
             "'2001'), "
             "('000002', '000001', 'OTHER', 'Other', '01000000000000000000', 'o', '2001', '2001')");
        Exec("INSERT INTO CSM014 (FUNCTIONCODE, FUNCSETCODEID, LISTNUMBER, FUNCSETVALUE, "
             "FUNCSETNAME) VALUES ('000001', '000004', '001', 'A', 'Alpha'), "
             "('000001', '000004', '002', 'B', 'Beta')");
        Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE, CREATEDATETIME) VALUES "
             "('000001', 'LIMIT', '500', '2010'), ('000001', 'LEGACY', 'kept', '2011'), "
             "('000001', 'FROM', '20240229', '2012')");
    }
    CFcMultiPageDlg* Page() { return qobject_cast<CFcMultiPageDlg*>(m_editor->Page()); }
    QStringList ListRows()
    {
        QStringList rows;
        QTreeWidget* list = Page()->PropertyList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0) + u'|' + list->topLevelItem(i)->text(1);
        return rows;
    }
};

TEST_F(CFcMultiPageDlgTest, PropertiesShowStoredValuesAndKeepUnknownCodes)
{
    Edit("000001");
    ASSERT_NE(Page(), nullptr);
    EXPECT_EQ(ListRows(),
              QStringList({"Limit|500",
                           "From|" + QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat),
                           "At|09:30", "Mode|Beta", "LEGACY|kept"}));
    EXPECT_EQ(Page()->PropertyList()->currentItem(), Page()->PropertyList()->topLevelItem(0));
}

TEST_F(CFcMultiPageDlgTest, SaveWritesEveryValueButTheEmptiedOnes)
{
    Edit("000001");
    Type(IDC_FC_NAME, "TILL");
    // Clearing a value removes its row.
    const_cast<FcProperty&>(Page()->Properties()[0]).value.clear();
    ASSERT_EQ(Ok(), 1);
    EXPECT_EQ(KeyRow("000001"), QStringList({"000001", "TILL", "000001", "", kOld, kNow}));
    EXPECT_EQ(Rows("CSB003", {"FUNCSETCODE", "VALUE", "CREATEDATETIME", "UPDATEDATETIME"},
                   "FUNCKEYCODE = '000001'", "FUNCSETCODE"),
              QList<QStringList>({{"AT", "0930", "2001", kNow},
                                  {"FROM", "20240229", "2012", kNow},
                                  {"LEGACY", "kept", kNow, kNow},
                                  {"MODE", "B", "2001", kNow}}));
}

TEST_F(CFcMultiPageDlgTest, AnotherFunctionShowsItsDefaults)
{
    Edit("000001");
    ChooseFunction("000002");
    EXPECT_EQ(m_editor->PageTemplateId(), unsigned(IDD_FC_PAGE_PROPERTIES));
    EXPECT_EQ(ListRows(), QStringList({"Other|o"}));
    ChooseFunction("000001");
    EXPECT_EQ(ListRows().value(0), "Limit|500");
}

} // namespace
