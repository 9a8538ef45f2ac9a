// The function lists: what a list shows and renumbers, moves, and keys
// added and deleted, all or nothing.
#include "functions/CFcBasePageDlg.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/CFcTabDlg.h"
#include "functions/CFlListDlg.h"
#include "functions/FcDialogIds.h"

#include "functions/tests/FcDbFixture.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/ModalDriver.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTest>

using namespace kesmond;

namespace {

class CFlListDlgTest : public FcDbFixture
{
protected:
    void SetUp() override
    {
        FcDbFixture::SetUp();
        CreateTables({"CSB011", "CSB022"});
        Exec("INSERT INTO CSB003 (FUNCKEYCODE, FUNCSETCODE, VALUE) VALUES "
             "('000001', 'VALUE', '1'), ('000002', 'VALUE', '2'), ('000004', 'VALUE', '4')");
    }
    // New layout: check list 0 (5 CASH, 9 ORPHAN, 12 CHEQUE, 14 DISC), no
    // item list, payment list 2 (CASH); DISC also on the key layout.
    void NewLayout()
    {
        Exec("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETSEQCODE, CONTROLTYPE, CODE, "
             "POSITIONY) VALUES ('POPUPLIST', 0, 0, 'ListDialog', '', 0), "
             "('POPUPLIST', 2, 0, 'ListDialog', '', 0), "
             "('POPUPLIST', 0, 5, 'PopupListItem', '000001', 5), "
             "('POPUPLIST', 0, 9, 'PopupListItem', '000003', 9), "
             "('POPUPLIST', 0, 12, 'PopupListItem', '000002', 12), "
             "('POPUPLIST', 0, 14, 'PopupListItem', '000004', 14), "
             "('POPUPLIST', 2, 1, 'PopupListItem', '000001', 1), "
             "('ITEM', 1, 1, 'FunctionButton', '000004', 0)");
    }
    CFlListDlg& Open()
    {
        m_modes = std::make_unique<CFcModeTable>();
        auto window = std::make_unique<CFlListDlg>(m_modes->Entry(1), IDD_FC_FUNCLIST, nullptr, 1);
        m_list = window.get();
        m_window = std::move(window);
        m_window->Create();
        m_window->show();
        QCoreApplication::processEvents(); // the first type's list
        return *m_list;
    }
    // The model's rows as "number|name".
    QStringList Shown()
    {
        QStringList rows;
        CRecordListModel* model = m_list->Model();
        for (int r = 0; r < model->rowCount(); ++r)
            rows << model->index(r, 0).data().toString() + u'|' +
                        model->index(r, 1).data().toString();
        return rows;
    }
    // "code:sequence:position" of a new-layout list's items.
    QStringList Items(int list)
    {
        QStringList items;
        for (const QStringList& row :
             Rows("CSB022", {"CODE", "SHEETSEQCODE", "POSITIONY"},
                  QStringLiteral("SHEETTYPE='POPUPLIST' AND SHEETNUMBER=%1 AND "
                                 "CONTROLTYPE='PopupListItem'")
                      .arg(list),
                  "SHEETSEQCODE"))
            items << row.join(u':');
        return items;
    }
    void ChooseType(int index)
    {
        m_list->TypeCombo()->setCurrentIndex(index);
        QCoreApplication::processEvents();
    }
    void Select(int row) { m_list->List()->selectRow(row); }
    int Selected() { return m_list->List()->selectionModel()->selectedRows().value(0, {}).row(); }
    bool Enabled(uint id) { return FindControlById(m_list, id)->isEnabled(); }
    // Every table the list windows write, row by row.
    QList<QList<QStringList>> Tables()
    {
        return {Rows("CSB002"), Rows("CSB003"), Rows("CSB011"), Rows("CSB022")};
    }
    // Insert, with act run in the editor that opens (none when it opens none).
    bool Insert(const std::function<void(CFcTabDlg&)>& act)
    {
        bool opened = false;
        korvane::test::WhenModal<CFcTabDlg>([&](CFcTabDlg& editor) {
            opened = true;
            act(editor);
            if (editor.isVisible())
                editor.reject();
        });
        m_list->OnCommand(IDC_FC_INSERT);
        return opened;
    }

    CFlListDlg* m_list = nullptr;
};

TEST_F(CFlListDlgTest, TheFirstTypesListIsRenumberedWhenShown)
{
    NewLayout();
    Open();
    EXPECT_EQ(m_list->windowTitle(), "Function Key Settings");
    QStringList types;
    for (int i = 0; i < m_list->TypeCombo()->count(); ++i)
        types << m_list->TypeCombo()->itemText(i);
    EXPECT_EQ(types, QStringList({"Check", "Item", "Payment"}));
    EXPECT_EQ(Shown(), QStringList({"1|CASH", "2|ORPHAN", "3|CHEQUE", "4|DISC"}));
    EXPECT_EQ(Items(0), QStringList({"000001:1:1", "000003:2:2", "000002:3:3", "000004:4:4"}));
    EXPECT_EQ(Items(2), QStringList({"000001:1:1"}));
    EXPECT_FALSE(m_list->List()->horizontalHeader()->sectionsClickable());
    EXPECT_EQ(m_suite.messages(), QStringList());
}

TEST_F(CFlListDlgTest, ButtonsFollowTheSelectionAndTheList)
{
    NewLayout();
    Open();
    const struct
    {
        int row;
        bool change, up, down;
    } cases[] = {
        {0, true, false, true},
        {1, false, true, true}, // its function is not in the master
        {3, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        Select(c.row);
        EXPECT_EQ(Enabled(1), c.change);
        EXPECT_EQ(Enabled(IDC_FC_DELETE), c.change);
        EXPECT_EQ(Enabled(IDC_FC_MOVE_UP), c.up);
        EXPECT_EQ(Enabled(IDC_FC_MOVE_DOWN), c.down);
        EXPECT_TRUE(Enabled(IDC_FC_INSERT));
    }
    // A key without its function cannot be changed or deleted.
    Select(1);
    const QList<QList<QStringList>> before = Tables();
    m_list->OnCommand(IDC_FC_DELETE);
    m_list->accept();
    EXPECT_EQ(Tables(), before);
    EXPECT_EQ(m_suite.messages(), QStringList());

    // The item type has no list row: nothing to show, nothing to insert.
    ChooseType(1);
    EXPECT_EQ(Shown(), QStringList());
    for (uint id : {1u, uint(IDC_FC_DELETE), uint(IDC_FC_MOVE_UP), uint(IDC_FC_MOVE_DOWN),
                    uint(IDC_FC_INSERT)})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(2));
    EXPECT_TRUE(Enabled(IDC_FC_HELP));
    EXPECT_FALSE(Insert([](CFcTabDlg&) {}));
    EXPECT_EQ(Tables(), before);
    ChooseType(2);
    EXPECT_EQ(Shown(), QStringList({"1|CASH"}));
    EXPECT_TRUE(Enabled(IDC_FC_INSERT));
}

TEST_F(CFlListDlgTest, MovingSwapsBothNumbersAndTheMovedRowStaysSelected)
{
    NewLayout();
    Open();
    Select(0);
    m_list->OnCommand(IDC_FC_MOVE_DOWN);
    EXPECT_EQ(Shown(), QStringList({"1|ORPHAN", "2|CASH", "3|CHEQUE", "4|DISC"}));
    EXPECT_EQ(Items(0), QStringList({"000003:1:1", "000001:2:2", "000002:3:3", "000004:4:4"}));
    EXPECT_EQ(Selected(), 1);
    m_list->OnCommand(IDC_FC_MOVE_DOWN);
    m_list->OnCommand(IDC_FC_MOVE_UP);
    m_list->OnCommand(IDC_FC_MOVE_UP);
    EXPECT_EQ(Shown(), QStringList({"1|CASH", "2|ORPHAN", "3|CHEQUE", "4|DISC"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_FALSE(Enabled(IDC_FC_MOVE_UP));
}

TEST_F(CFlListDlgTest, OldLayoutMovesPositionsAndRenumbersOnlyTwoZeros)
{
    Exec("INSERT INTO CSB011 (VIEWID, PARENTVIEWID, CONTROLTYPE, CODE, POSITIONY) VALUES "
         "('300', '', 'PopupListAdapter', '3', 0), ('500', '', 'PopupListAdapter', '5', 0), "
         "('301', '300', 'PopupListItem', '000002', 4), "
         "('302', '300', 'PopupListItem', '000001', 7), "
         "('501', '500', 'PopupListItem', '000001', 0), "
         "('502', '500', 'PopupListItem', '000004', 0)");
    Open();
    EXPECT_EQ(Shown(), QStringList({"1|CHEQUE", "2|CASH"}));
    auto positions = [this](const char* parent) {
        QStringList items;
        for (const QStringList& row :
             Rows("CSB011", {"VIEWID", "POSITIONY"},
                  QStringLiteral("PARENTVIEWID='%1'").arg(parent), "VIEWID"))
            items << row.join(u':');
        return items;
    };
    EXPECT_EQ(positions("300"), QStringList({"301:4", "302:7"}));
    Select(0);
    m_list->OnCommand(IDC_FC_MOVE_DOWN);
    EXPECT_EQ(positions("300"), QStringList({"301:2", "302:1"}));
    EXPECT_EQ(Shown(), QStringList({"1|CASH", "2|CHEQUE"}));
    ChooseType(2);
    EXPECT_EQ(positions("500"), QStringList({"501:1", "502:2"}));
}

TEST_F(CFlListDlgTest, CancelledInsertLeavesNoTraceAndOkKeepsTheKey)
{
    NewLayout();
    Exec("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) VALUES "
         "('050000', 'TAKEN', '000001')");
    Open();
    const QList<QList<QStringList>> before = Tables();
    ASSERT_TRUE(Insert([](CFcTabDlg& editor) {
        EXPECT_EQ(FindControlById(editor.Page(), IDC_FC_KEYCODE)->property("text").toString(),
                  "050001");
    }));
    EXPECT_EQ(Tables(), before);
    EXPECT_EQ(Shown(), QStringList({"1|CASH", "2|ORPHAN", "3|CHEQUE", "4|DISC"}));

    ASSERT_TRUE(Insert([](CFcTabDlg& editor) {
        auto* name = qobject_cast<CEcrEdit*>(FindControlById(editor.Page(), IDC_FC_NAME));
        QTest::keyClicks(name, "NEW");
        editor.accept();
    }));
    EXPECT_EQ(Rows("CSB002", {}, "FUNCKEYCODE='050001'").value(0),
              QStringList({"050001", "NEW", "000001", "", "20240506070809", "20240506070809"}));
    EXPECT_EQ(Items(0).last(), "050001:5:5");
    EXPECT_EQ(Shown().last(), "5|NEW");
    EXPECT_EQ(Selected(), 4);
}

TEST_F(CFlListDlgTest, OldLayoutInsertAddsItsItemAtTheEnd)
{
    Exec("INSERT INTO CSB011 (VIEWID, PARENTVIEWID, CONTROLTYPE, CODE, POSITIONY) VALUES "
         "('300', '', 'PopupListAdapter', '3', 0), "
         "('301', '300', 'PopupListItem', '000002', 4)");
    Open();
    ASSERT_TRUE(Insert([](CFcTabDlg& editor) { editor.accept(); }));
    EXPECT_EQ(Rows("CSB011", {}, "VIEWID='302'").value(0),
              QStringList({"302", "300", "PopupListItem", "User", "050000", "5", "-16777216", "-1",
                           "0", "20240506070809", "20240506070809"}));
    EXPECT_EQ(Shown(), QStringList({"1|CHEQUE", "2|"}));
}

TEST_F(CFlListDlgTest, DeleteRemovesTheKeyOnlyWhenNothingElseUsesIt)
{
    NewLayout();
    Open();
    auto keyRows = [this](const char* key) {
        return QStringLiteral("%1/%2")
            .arg(Rows("CSB002", {}, QStringLiteral("FUNCKEYCODE='%1'").arg(key)).size())
            .arg(Rows("CSB003", {}, QStringLiteral("FUNCKEYCODE='%1'").arg(key)).size());
    };
    // CHEQUE is in no other list: key, settings and item go.
    Select(2);
    m_list->OnCommand(IDC_FC_DELETE);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_FC_DELETE"});
    EXPECT_EQ(keyRows("000002"), "0/0");
    EXPECT_EQ(Items(0), QStringList({"000001:1:1", "000003:2:2", "000004:3:3"}));
    EXPECT_EQ(Selected(), 1);
    // CASH is in the payment list, DISC on the key layout: only the items go.
    Select(2);
    m_list->OnCommand(IDC_FC_DELETE);
    EXPECT_EQ(keyRows("000004"), "1/1");
    Select(0);
    m_list->OnCommand(IDC_FC_DELETE);
    EXPECT_EQ(keyRows("000001"), "1/1");
    EXPECT_EQ(Items(0), QStringList({"000003:1:1"}));
    EXPECT_EQ(Items(2), QStringList({"000001:1:1"}));
    EXPECT_EQ(Shown(), QStringList({"1|ORPHAN"}));
    EXPECT_EQ(Selected(), -1);
    EXPECT_FALSE(Enabled(IDC_FC_DELETE));

    // Cancel to the question deletes nothing.
    ChooseType(2);
    platform::setMessageResponder(
        [](const platform::MessageRequest&) { return int(platform::IDCANCEL); });
    const QList<QList<QStringList>> before = Tables();
    Select(0);
    m_list->OnCommand(IDC_FC_DELETE);
    EXPECT_EQ(Tables(), before);
}

TEST_F(CFlListDlgTest, AFailingStepLeavesEveryTableAsItWas)
{
    NewLayout();
    Open();
    const QList<QList<QStringList>> before = Tables();
    enum Act { Insert, Delete, MoveDown };
    const struct
    {
        const char* trigger;
        const char* message;
        Act act;
    } cases[] = {
        {"BEFORE INSERT ON CSB022 WHEN NEW.CONTROLTYPE='PopupListItem'", "CRDS_CMN_ERR_SAVE_FAILED",
         Insert},
        {"BEFORE INSERT ON CSB002", "CRDS_CMN_ERR_INSERT_FAILED", Insert},
        {"BEFORE DELETE ON CSB003", "CRDS_CMN_ERR_DELETE_FAILED", Delete},
        {"BEFORE DELETE ON CSB002", "CRDS_CMN_ERR_DELETE_FAILED", Delete},
        {"BEFORE INSERT ON CSB022 WHEN NEW.CODE='000002'", "CRDS_CMN_ERR_SAVE_FAILED", MoveDown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trigger);
        Exec(QStringLiteral("CREATE TRIGGER refuse %1 BEGIN SELECT RAISE(ABORT, 'no'); END")
                 .arg(QLatin1String(c.trigger)));
        m_suite.messages().clear();
        if (c.act == Insert) {
            EXPECT_FALSE(this->Insert([](CFcTabDlg&) {}));
        } else {
            Select(2);
            m_list->OnCommand(c.act == Delete ? IDC_FC_DELETE : IDC_FC_MOVE_DOWN);
        }
        EXPECT_EQ(m_suite.messages().value(c.act == Delete ? 1 : 0), QLatin1String(c.message));
        EXPECT_EQ(Tables(), before);
        EXPECT_EQ(Shown(), QStringList({"1|CASH", "2|ORPHAN", "3|CHEQUE", "4|DISC"}));
        Exec("DROP TRIGGER refuse");
    }
}

TEST_F(CFlListDlgTest, WindowKeepsTheDialogRules)
{
    m_modes = std::make_unique<CFcModeTable>();
    CFlListDlg list(m_modes->Entry(1), IDD_FC_FUNCLIST, nullptr, 1);
    EXPECT_EQ(korvane::test::DialogFaults(&list, CSarvikApp::Instance().LangDatas(),
                                          QStringLiteral("Kesmond")),
              QStringList());
}

} // namespace
