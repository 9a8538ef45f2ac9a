// The character strings: which rows show, their titles and order, and the
// text dialog keeping a stored text as it was.
#include "functions/CFcCharDetailDlg.h"
#include "functions/CFcCharListDlg.h"
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/FcDialogIds.h"

#include "functions/tests/FcDbFixture.h"
#include "goods/base/CMessageEdit.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/ModalDriver.h"

#include <QLabel>
#include <QTest>

using namespace kesmond;

namespace {

class CFcCharListDlgTest : public FcDbFixture
{
protected:
    void SetUp() override
    {
        FcDbFixture::SetUp();
        CreateTables({"CSB007", "CSM017"});
        m_long = QString(590, u'x') + QStringLiteral("0123456789");
        const struct
        {
            const char* code;
            QString text;
            const char* remarks;
        } rows[] = {
            {"A1", "plain", ""},           {"B2", "line1\r\nline2", "note"},
            {"C3", "hidden", "view=gone"}, {"D4", "hidden too", "a; View = Gone ;b"},
            {"E5", "shown", "view=gone!"}, {"F6", m_long, "view=gone x"},
            {"G7", "no title", ""},
        };
        for (const auto& row : rows)
            Exec(QStringLiteral("INSERT INTO CSB007 VALUES ('%1', '%2', '%3', '2001', '2002')")
                     .arg(QLatin1String(row.code), row.text, QLatin1String(row.remarks)));
        Exec("INSERT INTO CSM017 (TABLENAME, SETCODEID, SETCODE, TITLE) VALUES "
             "('CSB007', '1', 'A1', 'Zeta'), ('CSB007', '2', 'B2', 'Alpha'), "
             "('CSB007', '3', 'E5', 'Mid'), ('CSB007', '4', 'F6', 'Long'), "
             "('CSB002', '5', 'G7', 'Elsewhere')");
    }
    CFcCharListDlg& Open()
    {
        m_modes = std::make_unique<CFcModeTable>();
        auto window = std::make_unique<CFcCharListDlg>(m_modes->Entry(3), IDD_FC_LIST, nullptr, 3);
        m_chars = window.get();
        m_window = std::move(window);
        m_window->Create();
        m_window->show();
        return *m_chars;
    }
    // The model's rows as "title|text".
    QStringList Shown()
    {
        QStringList rows;
        CRecordListModel* model = m_chars->Model();
        for (int r = 0; r < model->rowCount(); ++r)
            rows << model->index(r, 0).data().toString() + u'|' +
                        model->index(r, 1).data().toString();
        return rows;
    }
    // Opens the text dialog of a row and runs act in it.
    void Change(int row, const std::function<void(CFcCharDetailDlg&)>& act)
    {
        m_chars->List()->selectRow(row);
        bool ran = false;
        korvane::test::WhenModal<CFcCharDetailDlg>([&](CFcCharDetailDlg& dialog) {
            ran = true;
            act(dialog);
            if (dialog.isVisible())
                dialog.reject();
        });
        m_chars->accept();
        EXPECT_TRUE(ran);
    }
    // Each row's height in lines of the list's font, with the edges.
    QList<int> RowHeights()
    {
        const int line = QFontMetrics(m_chars->List()->font()).height();
        QList<int> heights;
        for (int r = 0; r < m_chars->Model()->rowCount(); ++r) {
            const int height = m_chars->List()->rowHeight(r) - 6;
            heights << (height % line == 0 ? height / line : -height);
        }
        return heights;
    }
    QString StoredText(const QString& code)
    {
        return Rows("CSB007", {"CHARDATA"}, QStringLiteral("CHARSETCODE='%1'").arg(code))
            .value(0)
            .value(0);
    }

    QString m_long;
    CFcCharListDlg* m_chars = nullptr;
};

TEST_F(CFcCharListDlgTest, HiddenRowsGoAndCodesShowTheirTitles)
{
    Open();
    EXPECT_EQ(m_chars->windowTitle(), "Character Settings");
    EXPECT_EQ(Shown(), QStringList({"Zeta|plain", "Alpha|line1\r\nline2", "Mid|shown",
                                    "Long|" + m_long, "|no title"}));
    CRecordListModel* model = m_chars->Model();
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Character Set");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Characters");
    EXPECT_EQ(model->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_EQ(m_chars->List()->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_TRUE(FindControlById(m_chars, 1)->isEnabled());
    EXPECT_FALSE(FindControlById(m_chars, IDC_FC_INSERT)->isVisible());
    EXPECT_FALSE(FindControlById(m_chars, IDC_FC_DELETE)->isVisible());
    // The row height leaves room for the text and the edges, of each line.
    EXPECT_EQ(RowHeights(), QList<int>({1, 2, 1, 1, 1}));
}

TEST_F(CFcCharListDlgTest, SortingByTheTitleOrdersByTitleTexts)
{
    Open();
    // A text of two lines keeps its row's height wherever it is sorted to.
    m_chars->Model()->SortRecords(0, false);
    EXPECT_EQ(RowHeights(), QList<int>({1, 1, 1, 2, 1}));
    m_chars->Model()->SortRecords(0, true);
    EXPECT_EQ(Shown(), QStringList({"|no title", "Alpha|line1\r\nline2", "Long|" + m_long,
                                    "Mid|shown", "Zeta|plain"}));
    EXPECT_EQ(RowHeights(), QList<int>({1, 2, 1, 1, 1}));
    // A change after sorting edits the row shown.
    Change(1, [](CFcCharDetailDlg& dialog) {
        EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "Alpha");
        dialog.Edit()->SetStoredText(QStringLiteral("sorted"));
        dialog.accept();
    });
    EXPECT_EQ(StoredText("B2"), "sorted");
    EXPECT_EQ(Shown().value(1), "Alpha|sorted");
    EXPECT_EQ(RowHeights(), QList<int>({1, 1, 1, 1, 1}));
}

TEST_F(CFcCharListDlgTest, ALongerStoredTextShowsWholeAndTypingStopsAtTheLimit)
{
    Open();
    Change(3, [this](CFcCharDetailDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Character Settings");
        EXPECT_EQ(dialog.focusWidget(), dialog.Edit()) << dialog.focusWidget();
        EXPECT_EQ(dialog.Edit()->toPlainText(), m_long);
        EXPECT_EQ(dialog.Edit()->GetLimitText(), 512);
        dialog.Edit()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dialog.Edit(), "more");
        dialog.accept();
    });
    EXPECT_EQ(StoredText("F6"), m_long);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
}

TEST_F(CFcCharListDlgTest, LineBreaksAreKeptAsCrLfAndTheSaveStampsTheRow)
{
    Open();
    Change(1, [](CFcCharDetailDlg& dialog) {
        dialog.Edit()->moveCursor(QTextCursor::End);
        QTest::keyClicks(dialog.Edit(), " more");
        QTest::keyClick(dialog.Edit(), Qt::Key_Return);
        QTest::keyClicks(dialog.Edit(), "x");
        dialog.accept();
    });
    EXPECT_EQ(Rows("CSB007", {}, "CHARSETCODE='B2'").value(0),
              QStringList({"B2", "line1\r\nline2 more\r\nx", "note", "2001", "20240506070809"}));
    EXPECT_EQ(Shown().value(1), "Alpha|line1\r\nline2 more\r\nx");
    EXPECT_EQ(RowHeights(), QList<int>({1, 3, 1, 1, 1}));
    // A code without its title gives the dialog an empty label.
    Change(4, [](CFcCharDetailDlg& dialog) { EXPECT_EQ(dialog.findChild<QLabel*>()->text(), ""); });
}

TEST_F(CFcCharListDlgTest, AFailedSaveKeepsTheDialogOpenAndTheListsText)
{
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB007 BEGIN SELECT RAISE(ABORT, 'no'); END");
    Open();
    const QList<QStringList> before = Rows("CSB007");
    Change(0, [this](CFcCharDetailDlg& dialog) {
        dialog.Edit()->SetStoredText(QStringLiteral("changed"));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(m_suite.messages(),
                  QStringList({"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                               "CRDS_CMN_ERR_SETWRITE_FAILED"}));
    });
    EXPECT_EQ(Rows("CSB007"), before);
    EXPECT_EQ(Shown().value(0), "Zeta|plain");
}

TEST_F(CFcCharListDlgTest, CancellingTheQuestionKeepsTheDialogOpen)
{
    Open();
    platform::setMessageResponder(
        [](const platform::MessageRequest&) { return int(platform::IDCANCEL); });
    Change(0, [](CFcCharDetailDlg& dialog) {
        dialog.Edit()->SetStoredText(QStringLiteral("changed"));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(StoredText("A1"), "plain");
}

TEST_F(CFcCharListDlgTest, WindowsKeepTheDialogRules)
{
    m_modes = std::make_unique<CFcModeTable>();
    CFcCharListDlg list(m_modes->Entry(3), IDD_FC_LIST, nullptr, 3);
    CFcCharDetailDlg text(m_modes->Entry(3), 1, nullptr, IDD_FC_SUBF_MULTILINETEXT);
    for (QDialog* dialog : {static_cast<QDialog*>(&list), static_cast<QDialog*>(&text)})
        EXPECT_EQ(korvane::test::DialogFaults(dialog, CSarvikApp::Instance().LangDatas(),
                                              QStringLiteral("Kesmond")),
                  QStringList());
}

} // namespace
