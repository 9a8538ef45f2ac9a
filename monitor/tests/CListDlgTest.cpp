// The item-image list window over a signage folder and a work database of
// the test's own: both sources, Insert, Update, Delete, drops, the default
// image, OK and Cancel.
#include "monitor/CAddDlg.h"
#include "monitor/CButtonPreview.h"
#include "monitor/CItemImageListModel.h"
#include "monitor/CItemImageSlots.h"
#include "monitor/CItemImageSource.h"
#include "monitor/CListDlg.h"
#include "monitor/CMonMenuDlg.h"
#include "monitor/PreferenceXml.h"
#include "monitor/tests/MediaWindowFixture.h"

#include "goods/base/CMainListCtrl.h"
#include "shared/controls/CNumEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/FormatLangText.h"
#include "shared/lang/WindowText.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WideRows.h"
#include "testsupport/WorkDbFixture.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QHeaderView>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTest>

namespace mervolt {
namespace {

using korvane::test::RunModal;
using korvane::test::WhenModal;
using test::MediaWindowFixture;

const QString kCode1 = "0000000000000001";
const QString kCode2 = "0000000000000002";
const QString kCode3 = "0000000000000003";

class CListDlgTest : public MediaWindowFixture
{
protected:
    CListDlgTest() { PrepareSignageFolders(); }

    // The model's work database with items {code, name, department} and
    // department 01 "Bakery".
    void makeDatabase(const QList<QStringList>& items)
    {
        QFile::remove(database());
        ASSERT_TRUE(QFile::copy(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/SETTING.DB", database()));
        QFile::setPermissions(database(), QFile::ReadOwner | QFile::WriteOwner);
        QStringList sql{"INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('01', 'Bakery')"};
        for (const QStringList& item : items)
            sql << QStringLiteral("INSERT INTO CIA001 (ITEMCODE, SCANCODE1, ITEMNAME, "
                                  "ITEMDEPTCODE) VALUES ('%1', '49%1', '%2', '%3')")
                       .arg(item[0], item[1], item[2]);
        korvane::test::ExecSql(database(), sql);
    }
    void slot(int listMode, int n, const QString& file, const QString& name = QString())
    {
        m_items.Add("string", CItemImageSlots::FileKey(listMode, n), file);
        m_items.Add("string", CItemImageSlots::NameKey(listMode, n), name);
    }
    QString picture(const QString& name, int width = 3, int height = 2)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return source(name, bytes);
    }
    int run(int listMode, int registered, const std::function<void(CListDlg&)>& act)
    {
        CItemImageSource source(listMode);
        CListDlg window(&source.Manager());
        window.SetListMode(listMode);
        window.SetMenuItems(&m_items);
        window.SetRegistered(registered);
        return RunModal<CListDlg>(window, act);
    }
    static QStringList rows(CListDlg& window)
    {
        QStringList out;
        const CItemImageListModel* model = window.Model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            out << cells.join(u'|');
        }
        return out;
    }
    static void click(QWidget* window, uint id)
    {
        qobject_cast<QAbstractButton*>(FindControlById(window, id))->click();
    }
    static QString text(QWidget* window, uint id)
    {
        return GetWindowText(FindControlById(window, id));
    }

    CXmlDataArray m_items;
};

TEST_F(CListDlgTest, RegisteredListShowsEveryItemMarksOnlyPicturedCodesAndHidesInsert)
{
    makeDatabase({{kCode2, "Rye", "01"}, {kCode1, "Bun", "01"}, {kCode3, "Tea", "02"}});
    put(signage("ItemImage") + "/" + kCode2 + ".png", "p2");
    slot(1, 1, kCode2 + ".png", "Rye");
    const int result = run(1, 1, [](CListDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Item Images");
        EXPECT_EQ(rows(window), QStringList({kCode1 + "|49" + kCode1 + "|Bun|Bakery|",
                                             kCode2 + "|49" + kCode2 + "|Rye|Bakery|*",
                                             kCode3 + "|49" + kCode3 + "|Tea|02|"}));
        EXPECT_FALSE(FindControlById(&window, CListDlg::IDC_INSERT)->isVisibleTo(&window));
        EXPECT_TRUE(FindControlById(&window, CListDlg::IDC_DEFAULT_IMAGE)->isVisibleTo(&window));
        EXPECT_EQ(window.SelectedRow(), 0);
        EXPECT_FALSE(text(&window, CListDlg::IDC_EXPLAIN).contains('\n'));
        // No cell is edited in place.
        EXPECT_EQ(window.List()->editTriggers(), QAbstractItemView::NoEditTriggers);
        click(&window, platform::IDCANCEL);
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_TRUE(m_keys.isEmpty()) << m_keys.join(',').toStdString();
}

TEST_F(CListDlgTest, TheImageColumnShowsTheMarkOrNothingNeverTheStoredRemarks)
{
    makeDatabase({{kCode1, "Bun", "01"}, {kCode2, "Rye", "01"}});
    korvane::test::ExecSql(database(), {"UPDATE CIA001 SET REMARKS = 'kept for the shop'"});
    put(signage("ItemImage") + "/" + kCode2 + ".png", "p2");
    slot(1, 1, kCode2 + ".png", "Rye");
    run(1, 1, [](CListDlg& window) {
        EXPECT_EQ(rows(window), QStringList({kCode1 + "|49" + kCode1 + "|Bun|Bakery|",
                                             kCode2 + "|49" + kCode2 + "|Rye|Bakery|*"}));
        click(&window, platform::IDCANCEL);
    });
}

// A display archive's items table may declare its codes without a width:
// the code column still shows every 16-digit code whole.
TEST_F(CListDlgTest, TheCodeColumnFitsItsCodesWhateverTheirDeclaredWidth)
{
    makeDatabase({{kCode2, "Rye", "01"}, {kCode1, "Bun", "01"}});
    korvane::test::ExecSql(database(),
                           {"CREATE TABLE CIA001_B AS SELECT * FROM CIA001", "DROP TABLE CIA001",
                            "ALTER TABLE CIA001_B RENAME TO CIA001"});
    for (int listMode : {1, 2}) {
        int shown = 0;
        int needed = 0;
        run(listMode, 1, [&](CListDlg& window) {
            shown = window.List()->columnWidth(CItemImageListModel::CodeColumn);
            needed = window.List()->fontMetrics().horizontalAdvance(kCode1) + 6;
            click(&window, platform::IDCANCEL);
        });
        EXPECT_GE(shown, needed) << listMode;
    }
}

// With a shop's data, the sample archive's items and one of a 16-digit code
// and 40-character names, the item and recommendation lists keep the layout
// rules, both on the work database (/A) and on a display archive's slots (/B).
TEST_F(CListDlgTest, WideCodesAndNamesKeepTheLayoutOfEveryList)
{
    const QString code = "1234567890123456";
    const QString name = korvane::test::kWideName;
    makeDatabase({{code, name, "01"}});
    korvane::test::ExecSql(database(), {"UPDATE CIA002 SET ITEMDEPTNAME = '" + name + "'"});
    korvane::test::ExecSql(database(), korvane::test::SampleRowStatements());
    for (int listMode : {0, 1}) {
        slot(listMode, 1, code + ".png", name);
        for (int registered : {1, 0})
            run(listMode, registered, [&](CListDlg& window) {
                EXPECT_EQ(window.Model()->rowCount(), registered ? 5 : 1) << listMode << registered;
                EXPECT_EQ(korvane::test::LayoutFaults(&window), QStringList())
                    << listMode << registered;
                click(&window, platform::IDCANCEL);
            });
    }
}

TEST_F(CListDlgTest, WithoutAWorkDatabaseTheListEndsWithTwoAndCreatesNone)
{
    QFile::remove(database());
    put(signage("ItemImage") + "/" + kCode2 + ".png", "p2");
    slot(1, 1, kCode2 + ".png", "Rye");
    CItemImageSource source(1);
    CListDlg window(&source.Manager());
    window.SetMenuItems(&m_items);
    EXPECT_EQ(window.DoModal(), 2);
    EXPECT_EQ(m_keys, QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_FALSE(QFileInfo::exists(database()));
    // The work copy made for the list goes with the failed open.
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
    EXPECT_EQ(bytesOf(signage("ItemImage") + "/" + kCode2 + ".png"), "p2");
}

TEST_F(CListDlgTest, DisplayArchiveInsertsCodesUpToTheLimitAndRefusesARepeat)
{
    const int limit = GetLangString("CRDS_MO_LIMITCOUNT_RECOMMENDIMAGE").toInt();
    run(0, 0, [&](CListDlg& window) {
        EXPECT_EQ(window.Model()->rowCount(), 0);
        EXPECT_FALSE(FindControlById(&window, CListDlg::IDC_DEFAULT_IMAGE)->isVisibleTo(&window));
        EXPECT_TRUE(FindControlById(&window, CListDlg::IDC_INSERT)->isVisibleTo(&window));
        EXPECT_EQ(text(&window, CListDlg::IDC_EXPLAIN),
                  GetLangString("CRDS_MO_STATIC_EXPLAIN_RECOMMEND") + "\n" +
                      GetLangString("CRDS_MO_STATIC_EXPLAIN_ADDNOREGDATA"));
        int next = 1;
        // The dialog proposes 1; each step types its own code.
        const auto insert = [&](const QString& code) {
            WhenModal<CAddDlg>([code](CAddDlg& add) {
                auto* edit = qobject_cast<CNumEdit*>(FindControlById(&add, CAddDlg::IDC_CODE));
                edit->SetText(code);
                qobject_cast<QAbstractButton*>(FindControlById(&add, platform::IDOK))->click();
            });
            click(&window, CListDlg::IDC_INSERT);
        };
        for (; next <= limit; ++next)
            insert(QString::number(next).rightJustified(16, '0'));
        EXPECT_EQ(window.Model()->rowCount(), limit);
        EXPECT_EQ(window.SelectedRow(), limit - 1); // the new code, ready for its picture
        EXPECT_EQ(rows(window).first(), kCode1 + "|-||-|");
        EXPECT_TRUE(m_keys.isEmpty());
        click(&window, CListDlg::IDC_INSERT); // no dialog: the limit is reached
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WRN_SELECT_OVER"});
        // One row fewer: a repeated code is refused.
        window.SelectRow(limit - 1);
        m_answer = platform::IDOK;
        click(&window, CListDlg::IDC_DELETE);
        EXPECT_EQ(window.Model()->rowCount(), limit - 1);
        insert(kCode1);
        EXPECT_EQ(window.Model()->rowCount(), limit - 1);
        EXPECT_EQ(m_keys.last(), "CRDS_CMN_ERR_EXIST_FAILED");
        // Scan-code and department headers do nothing here.
        window.Model()->ClickColumn(CItemImageListModel::CodeColumn);
        EXPECT_FALSE(window.Model()->ClickColumn(CItemImageListModel::ScanCodeColumn));
        EXPECT_FALSE(window.Model()->ClickColumn(CItemImageListModel::DeptColumn));
        EXPECT_EQ(window.Model()->SortColumn(), CItemImageListModel::CodeColumn);
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CListDlgTest, AddDialogProposesOneAtFullWidthAndTakesOnlyFullCodes)
{
    CItemImageSource source(1);
    CAddDlg add(&source.Manager(), "CRDS_MO_CLMN_PLUCODE");
    add.Create();
    auto* edit = qobject_cast<CNumEdit*>(FindControlById(&add, CAddDlg::IDC_CODE));
    QWidget* ok = FindControlById(&add, platform::IDOK);
    EXPECT_EQ(add.windowTitle(), GetLangString("CRDD_MO_ADD_CODE"));
    EXPECT_EQ(text(&add, CAddDlg::IDC_LABEL), GetLangString("CRDS_MO_CLMN_PLUCODE"));
    EXPECT_EQ(edit->text(), "0000000000000001");
    EXPECT_TRUE(ok->isEnabled());
    edit->SetText("000000000000001");
    EXPECT_FALSE(ok->isEnabled());
    edit->SetText("1234567890123456");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(edit->maxLength(), 16);
}

TEST_F(CListDlgTest, TwoSlotsOfOneCodeMarkOnlyTheFirstRow)
{
    put(signage("ItemImage") + "/" + kCode1 + ".png", "a");
    put(signage("ItemImage") + "/" + kCode1 + ".PNG", "b");
    slot(1, 1, kCode1 + ".png");
    slot(1, 2, kCode1 + ".PNG");
    run(1, 0, [](CListDlg& window) {
        EXPECT_EQ(rows(window), QStringList({kCode1 + "|-||-|*", kCode1 + "|-||-|"}));
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CListDlgTest, UpdateSetsThePictureShowsItAndOkCommitsFolderAndItems)
{
    makeDatabase({{kCode1, "Bun", "01"}, {kCode2, "Rye", "01"}});
    put(signage("ItemImage") + "/" + kCode2 + ".png", "old");
    slot(1, 1, kCode2 + ".png", "Rye");
    m_chosen = picture("new.PNG", 4, 3);
    const int result = run(1, 1, [this](CListDlg& window) {
        window.SelectRow(0);
        click(&window, CListDlg::IDC_UPDATE);
        EXPECT_EQ(m_chooserCalls, 1);
        EXPECT_EQ(rows(window).first(), kCode1 + "|49" + kCode1 + "|Bun|Bakery|*");
        EXPECT_EQ(window.Preview()->m_image.size(), QSize(4, 3));
        EXPECT_EQ(text(&window, CListDlg::IDC_IMAGESIZE),
                  FormatLangText(GetLangString("CRDS_MO_LABEL_IMAGESIZE"), 4, 3));
        // The real folder waits for OK.
        EXPECT_FALSE(QFileInfo::exists(signage("ItemImage") + "/" + kCode1 + ".PNG"));
        window.SelectRow(1);
        EXPECT_EQ(text(&window, CListDlg::IDC_IMAGESIZE), ""); // "old" is no picture
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(value(m_items, "transaction_item1_file"), kCode2 + ".png");
    EXPECT_EQ(value(m_items, "transaction_item2_file"), kCode1 + ".PNG");
    EXPECT_EQ(value(m_items, "transaction_item2_name"), "Bun");
    EXPECT_EQ(bytesOf(signage("ItemImage") + "/" + kCode1 + ".PNG"), bytesOf(m_chosen));
    EXPECT_EQ(bytesOf(signage("ItemImage") + "/" + kCode2 + ".png"), "old");
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
    EXPECT_TRUE(m_keys.isEmpty()) << m_keys.join(',').toStdString();
}

TEST_F(CListDlgTest, DropOnARowSetsItsPictureAndHeaderClicksSortTheList)
{
    makeDatabase({{kCode1, "Rye", "01"}, {kCode2, "Bun", "01"}});
    run(1, 1, [this](CListDlg& window) {
        window.DropOnRow(1, picture("dropped.png"));
        EXPECT_EQ(window.SelectedRow(), 1);
        EXPECT_EQ(value(window.OwnItems(), "transaction_item1_file"), kCode2 + ".png");
        window.List()->clearSelection();
        window.DropOnRow(-1, picture("nowhere.png"));
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_NOSELECT"});
        // By name: the marked row follows its item.
        window.List()->horizontalHeader()->sectionClicked(CItemImageListModel::NameColumn);
        EXPECT_EQ(rows(window), QStringList({kCode2 + "|49" + kCode2 + "|Bun|Bakery|*",
                                             kCode1 + "|49" + kCode1 + "|Rye|Bakery|"}));
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CListDlgTest, CancelAfterSeveralChangesLeavesFolderAndItemsByteEqual)
{
    makeDatabase({{kCode1, "Bun", "01"}, {kCode2, "Rye", "01"}});
    put(signage("ItemImage") + "/" + kCode2 + ".png", "old");
    slot(1, 1, kCode2 + ".png", "Rye");
    const QStringList before = tree(signage("ItemImage"));
    m_chosen = picture("new.png");
    m_answer = platform::IDOK;
    const int result = run(1, 1, [this](CListDlg& window) {
        window.SelectRow(0);
        click(&window, CListDlg::IDC_UPDATE);
        // The work copy's picture of code 2 is a link to the real one:
        // replacing it must not write through.
        window.SelectRow(1);
        click(&window, CListDlg::IDC_UPDATE);
        EXPECT_EQ(bytesOf(signage("Temporary/ItemImage") + "/" + kCode2 + ".png"),
                  bytesOf(m_chosen));
        click(&window, CListDlg::IDC_DELETE);
        EXPECT_EQ(rows(window)[1], kCode2 + "|49" + kCode2 + "|Rye|Bakery|");
        window.OnDropFile(picture("dropped.png"));
        window.OnDefaultImageFocus();
        window.OnDropFile(picture("default.png"));
        click(&window, platform::IDCANCEL);
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(tree(signage("ItemImage")), before);
    EXPECT_EQ(value(m_items, "transaction_item1_file"), kCode2 + ".png");
    EXPECT_EQ(value(m_items, "transaction_item2_file"), "");
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
}

TEST_F(CListDlgTest, PictureOfAVanishedItemGoesOnOkAndStaysOnCancel)
{
    makeDatabase({{kCode1, "Bun", "01"}});
    put(signage("ItemImage") + "/" + kCode3 + ".png", "gone");
    for (const int answer : {platform::IDCANCEL, platform::IDOK}) {
        m_items = CXmlDataArray();
        slot(1, 1, kCode3 + ".png", "Tea");
        m_answer = answer;
        m_keys.clear();
        run(1, 1, [](CListDlg& window) { click(&window, platform::IDOK); });
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WARN_NOEXISTITEM"});
        EXPECT_EQ(m_texts.last(),
                  FormatLangText(GetLangString("CRDS_MO_WARN_NOEXISTITEM"), kCode3));
        EXPECT_EQ(value(m_items, "transaction_item1_file"),
                  answer == platform::IDOK ? QString() : kCode3 + ".png");
        EXPECT_EQ(QFileInfo::exists(signage("ItemImage") + "/" + kCode3 + ".png"),
                  answer != platform::IDOK);
    }
}

TEST_F(CListDlgTest, DeleteKeepsARegisteredRowAndRemovesADisplayArchiveRow)
{
    makeDatabase({{kCode1, "Bun", "01"}});
    put(signage("ItemImage") + "/" + kCode1 + ".png", "p1");
    slot(1, 1, kCode1 + ".png", "Bun");
    m_answer = platform::IDOK;
    run(1, 1, [this](CListDlg& window) {
        window.SelectRow(0);
        click(&window, CListDlg::IDC_DELETE);
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_DELETE"});
        EXPECT_EQ(rows(window), QStringList{kCode1 + "|49" + kCode1 + "|Bun|Bakery|"});
        click(&window, CListDlg::IDC_DELETE); // no mark, no question
        EXPECT_EQ(m_keys.size(), 1);
        click(&window, platform::IDCANCEL);
    });
    m_keys.clear();
    run(1, 0, [this](CListDlg& window) {
        EXPECT_EQ(window.Model()->rowCount(), 1);
        WhenModal<CAddDlg>([](CAddDlg& add) {
            qobject_cast<QAbstractButton*>(FindControlById(&add, platform::IDOK))->click();
        });
        click(&window, CListDlg::IDC_INSERT);
        EXPECT_EQ(m_keys, QStringList{"CRDS_CMN_ERR_EXIST_FAILED"}); // 1 is taken
        window.SelectRow(0);
        click(&window, CListDlg::IDC_DELETE);
        EXPECT_EQ(window.Model()->rowCount(), 0);
        EXPECT_FALSE(QFileInfo::exists(signage("Temporary/ItemImage") + "/" + kCode1 + ".png"));
        click(&window, CListDlg::IDC_DELETE);
        EXPECT_EQ(m_keys.last(), "CRDS_MO_NOSELECT");
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CListDlgTest, PathCodesAndDotCodesFromTheDatabaseAreRefusedAndNothingCopied)
{
    makeDatabase({{"../../../../../x", "Evil", "01"}, {".000000000000001", "Dot", "01"}});
    m_chosen = picture("p.png");
    run(1, 1, [this](CListDlg& window) {
        for (int row = 0; row < 2; ++row) {
            window.SelectRow(row);
            click(&window, CListDlg::IDC_UPDATE);
        }
        EXPECT_EQ(m_keys, QStringList({"CRDS_MO_WARN_INVALIDCHAR", "CRDS_MO_WARN_INVALIDCHAR"}));
        EXPECT_EQ(tree(signage("Temporary")),
                  QStringList{
                      "ItemImage/0000000000000000.png=" +
                      QString::fromUtf8(bytesOf(signage("ItemImage") + "/0000000000000000.png"))});
        click(&window, platform::IDCANCEL);
    });
    EXPECT_FALSE(QFileInfo::exists(scratch() + "/x.png"));
}

TEST_F(CListDlgTest, DefaultImageFocusShowsItAndAClickReplacesEveryExtension)
{
    makeDatabase({{kCode1, "Bun", "01"}});
    put(signage("ItemImage") + "/0000000000000000.PNG", "upper");
    m_chosen = picture("mine.png", 5, 5);
    run(1, 1, [this](CListDlg& window) {
        QWidget* button = FindControlById(&window, CListDlg::IDC_DEFAULT_IMAGE);
        button->setFocus();
        window.OnDefaultImageFocus(); // focus events need an active window
        EXPECT_TRUE(window.DefaultImageTarget());
        EXPECT_EQ(window.SelectedRow(), -1);
        click(&window, CListDlg::IDC_DEFAULT_IMAGE);
        EXPECT_EQ(window.Preview()->m_image.size(), QSize(5, 5));
        EXPECT_EQ(tree(signage("Temporary/ItemImage")),
                  QStringList{"0000000000000000.png=" + QString::fromUtf8(bytesOf(m_chosen))});
        // A selection ends the drop target.
        window.SelectRow(0);
        EXPECT_FALSE(window.DefaultImageTarget());
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(tree(signage("ItemImage")),
              QStringList{"0000000000000000.png=" + QString::fromUtf8(bytesOf(m_chosen))});
    EXPECT_TRUE(m_keys.isEmpty()) << m_keys.join(',').toStdString();
}

TEST_F(CListDlgTest, RecommendationsUseTheirKeysFolderAndLimit)
{
    makeDatabase({{kCode1, "Bun", "01"}});
    put(signage("Recommend") + "/" + kCode1 + ".png", "r1");
    slot(0, 1, kCode1 + ".png", "Bun");
    m_chosen = picture("r.png");
    run(0, 1, [](CListDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Recommendation Images");
        EXPECT_EQ(rows(window), QStringList{kCode1 + "|49" + kCode1 + "|Bun|Bakery|*"});
        click(&window, CListDlg::IDC_UPDATE);
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(tree(signage("Recommend")),
              QStringList{kCode1 + ".png=" + QString::fromUtf8(bytesOf(m_chosen))});
    EXPECT_EQ(value(m_items, "recommend_item1_file"), kCode1 + ".png");
    EXPECT_EQ(value(m_items, "transaction_item1_file"), "<none>");
}

TEST_F(CListDlgTest, TheMenuOpensTheListAndWritesPreferenceAfterOk)
{
    makeDatabase({{kCode1, "Bun", "01"}});
    m_chosen = picture("p.png");
    WhenModal<CListDlg>([](CListDlg& window) {
        window.SelectRow(0);
        window.OnUpdate();
        click(&window, platform::IDOK);
    });
    CMonMenuDlg menu;
    RunModal<CMonMenuDlg>(menu, [](CMonMenuDlg& m) {
        EXPECT_EQ(m.OpenItemImageList(1), platform::IDOK);
        m.reject();
    });
    CXmlDataArray written;
    ASSERT_EQ(ReadPreferenceXml(GetPreferencePath(), written), MON_XML_OK);
    EXPECT_EQ(value(written, "transaction_item1_file"), kCode1 + ".png");
    EXPECT_EQ(value(written, "transaction_item1_name"), "Bun");
}

} // namespace
} // namespace mervolt
