// The graphic list on a work database of the test's own: missing rows,
// sorting, preview, Delete and Change, and their failures.
#include "images/CGraphicListModel.h"
#include "images/CImgCanvas.h"
#include "images/CImgListDlg.h"
#include "images/CMainImgCtrl.h"
#include "images/GraphicColumns.h"
#include "images/tests/PellarkDbFixture.h"
#include "testsupport/LayoutCheck.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QTableView>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

using pellark::CImgListDlg;

class CImgListDlgTest : public PellarkDbFixture
{
protected:
    // Rows 000001, 000003 and 000011; the first has an image (8 x 2).
    void ThreeRows()
    {
        Exec("INSERT INTO CSB008 VALUES ('000001', 'logo.bmp', x'00', '" + kOld + "', '" + kOld +
             "'), ('000003', ' ', NULL, '" + kOld + "', '" + kOld +
             "'), ('000011', 'b.bmp', NULL, '" + kOld + "', '" + kOld + "')");
        StoreImage("000001", "logo.bmp", MonoBmp(8, 2));
    }
    void StoreImage(const QString& code, const QString& fileName, const QByteArray& bytes)
    {
        Exec(QStringLiteral("UPDATE CSB008 SET FILENAME = '%1', GRAPHICDATA = x'%2' WHERE "
                            "GRAPHICCODE = '%3'")
                 .arg(fileName, QString::fromLatin1(bytes.toHex()), code));
    }
    QByteArray MonoBmp(int width, int height)
    {
        pellark::CImgCanvas canvas;
        EXPECT_TRUE(canvas.Create(width, height));
        QPainter(&canvas.Image()).fillRect(0, 0, width / 2, height, Qt::black);
        const QString path = m_folders.scratch() + QStringLiteral("/made.bmp");
        EXPECT_TRUE(canvas.WriteMonoBmp(path));
        return korvane::test::readFile(path);
    }
    std::unique_ptr<CImgListDlg> Open()
    {
        auto dialog = std::make_unique<CImgListDlg>(m_db.get());
        dialog->Create();
        return dialog;
    }
    bool Enabled(CImgListDlg& dialog, uint id) { return FindControlById(&dialog, id)->isEnabled(); }
    void Select(CImgListDlg& dialog, int row)
    {
        dialog.List()->selectionModel()->setCurrentIndex(dialog.Model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    }
    QString Cell(CImgListDlg& dialog, int row, int column)
    {
        return dialog.Model()->index(row, column).data().toString();
    }
};

TEST_F(CImgListDlgTest, MissingRowsAreCreatedOnce)
{
    ThreeRows();
    auto dialog = Open();
    QAbstractItemModelTester tester(dialog->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_TRUE(m_messages.isEmpty());
    ASSERT_EQ(dialog->Model()->rowCount(), 6);
    ASSERT_EQ(dialog->Model()->columnCount(), 2);
    EXPECT_EQ(dialog->Model()->headerData(0, Qt::Horizontal).toString(), "Image Type");
    EXPECT_EQ(Cell(*dialog, 1, 0), "Logo Address Stamp");
    EXPECT_EQ(Cell(*dialog, 0, 1), "logo.bmp");
    const QStringList expected{
        "000001|logo.bmp|" + kOld + "|" + kOld, "000002| |" + kStamp + "|" + kStamp,
        "000003| |" + kOld + "|" + kOld,        "000004| |" + kStamp + "|" + kStamp,
        "000011|b.bmp|" + kOld + "|" + kOld,    "000012| |" + kStamp + "|" + kStamp};
    const QStringList columns{"GRAPHICCODE", "FILENAME", "CREATEDATETIME", "UPDATEDATETIME"};
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", columns), expected);
    dialog.reset();

    m_clock.Set(QDateTime::fromString("20270101000000", "yyyyMMddHHmmss"));
    EXPECT_EQ(Open()->Model()->rowCount(), 6);
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", columns), expected);
}

// All six rows show without scrolling, each type text whole.
TEST_F(CImgListDlgTest, EveryRowAndTypeShowsWhole)
{
    ThreeRows();
    auto dialog = Open();
    dialog->show();
    QCoreApplication::processEvents();
    QTableView* list = dialog->List();
    const QFontMetrics metrics(list->font());
    ASSERT_EQ(dialog->Model()->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        const QRect cell = list->visualRect(dialog->Model()->index(row, 0));
        EXPECT_TRUE(list->viewport()->rect().contains(cell)) << row;
        EXPECT_GE(cell.width(), metrics.horizontalAdvance(Cell(*dialog, row, 0)) + 4)
            << Cell(*dialog, row, 0).toStdString();
    }
    EXPECT_EQ(korvane::test::LayoutFaults(dialog.get()), QStringList());
}

TEST_F(CImgListDlgTest, FailedInsertLeavesTheTableAsItWas)
{
    ThreeRows();
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSB008 WHEN NEW.GRAPHICCODE = '000004' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    Open();
    EXPECT_EQ(m_messages, QStringList{"CRDS_CMN_ERR_INSERT_FAILED"});
    EXPECT_EQ(Rows("CSB008", {"GRAPHICCODE"}).size(), 3);
}

TEST_F(CImgListDlgTest, SortsByTypeTextsFlipsAndByNumbers)
{
    ThreeRows();
    auto dialog = Open();
    QAbstractItemModelTester tester(dialog->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    pellark::CGraphicListModel& model = *dialog->Model();
    auto column = [&](int listColumn) {
        QStringList cells;
        for (int row = 0; row < model.rowCount(); ++row)
            cells << Cell(*dialog, row, listColumn);
        return cells;
    };
    // The list starts sorted by the type: its first click sorts descending.
    model.SortByListColumn(0);
    EXPECT_EQ(column(0), QStringList({"Shop Stamp", "Receipt Shop Stamp", "Receipt Address Stamp",
                                      "Logo Shop Stamp", "Logo Address Stamp", "Address Stamp"}));
    model.SortByListColumn(0);
    EXPECT_EQ(column(0).first(), "Address Stamp");
    model.SortByListColumn(1);
    EXPECT_EQ(column(1), QStringList({" ", " ", " ", " ", "b.bmp", "logo.bmp"}));
    EXPECT_EQ(model.SortDirection(), 1);

    // A numeric column compares values, not texts.
    Exec("UPDATE CSB008 SET FILENAME = CASE GRAPHICCODE WHEN '000001' THEN '10' WHEN '000002' "
         "THEN '9' WHEN '000003' THEN '100' ELSE '-1' END");
    ASSERT_TRUE(dialog->WriteGraphicRow("000004", "-1", ""));
    CColumnDataList& columns = pellark::GraphicColumnList();
    columns.m_ppColumnData[1]->m_nType = SQLTYPE_NUMERIC;
    model.SortByListColumn(0);
    model.SortByListColumn(1);
    EXPECT_EQ(column(1).mid(3), QStringList({"9", "10", "100"}));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    columns.m_ppColumnData[1]->m_nType = SQLTYPE_VARCHAR;
}

TEST_F(CImgListDlgTest, BlankRowShowsNoPreviewAndNoDelete)
{
    ThreeRows();
    auto dialog = Open();
    Select(*dialog, 2); // 000003, blank
    EXPECT_TRUE(dialog->Preview()->Canvas().IsEmpty());
    EXPECT_TRUE(dialog->PreviewFile().isEmpty());
    EXPECT_TRUE(Enabled(*dialog, 1));
    EXPECT_FALSE(Enabled(*dialog, CImgListDlg::IDC_DELETE));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CImgListDlgTest, SampleImagePreviewsTheRightWayRound)
{
    QFile sample(KORVANE_SOURCE_DIR "/resources/samples/sample.sql");
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(sample.readAll()).split(u'\n'))
        if (line.startsWith("INSERT INTO CSB008"))
            Exec(line.trimmed().chopped(1));
    auto dialog = Open();
    const pellark::CImgCanvas& canvas = dialog->Preview()->Canvas();
    ASSERT_EQ(canvas.Width(), 16);
    ASSERT_EQ(canvas.Height(), 8);
    EXPECT_TRUE(canvas.IsSourceOneBit());
    // A black frame round white, whatever the order of the colour table.
    EXPECT_EQ(canvas.Image().pixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Image().pixel(15, 3) & 0xFFFFFF, 0u);
    EXPECT_EQ(canvas.Image().pixel(5, 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(canvas.Image().pixel(5, 7) & 0xFFFFFF, 0u);
    EXPECT_TRUE(Enabled(*dialog, CImgListDlg::IDC_DELETE));
    EXPECT_EQ(QFileInfo(dialog->PreviewFile()).path(), m_local);
    const QString previewFile = dialog->PreviewFile();
    dialog.reset();
    EXPECT_FALSE(QFile::exists(previewFile));
}

TEST_F(CImgListDlgTest, StoredNameWithFoldersKeepsTheCopyInTheLocalFolder)
{
    ThreeRows();
    StoreImage("000001", "../../x.bmp", MonoBmp(8, 2));
    auto dialog = Open();
    ASSERT_FALSE(dialog->PreviewFile().isEmpty());
    EXPECT_EQ(QFileInfo(dialog->PreviewFile()).path(), m_local);
    EXPECT_TRUE(dialog->PreviewFile().endsWith(".bmp"));
    EXPECT_FALSE(dialog->Preview()->Canvas().IsEmpty());
}

TEST_F(CImgListDlgTest, UndecodableImageIsReportedAndKept)
{
    ThreeRows();
    StoreImage("000001", "logo.bmp", QByteArray(1, '\0'));
    auto dialog = Open();
    EXPECT_EQ(m_messages, QStringList{"CRDS_IM_ERR_READIMGFILE"});
    EXPECT_TRUE(dialog->Preview()->Canvas().IsEmpty());
    EXPECT_EQ(Rows("CSB008", {"FILENAME", "hex(GRAPHICDATA)"}, "GRAPHICCODE = '000001'"),
              QList<QStringList>({{"logo.bmp", "00"}}));
}

TEST_F(CImgListDlgTest, DeleteClearsTheImageAndKeepsTheRow)
{
    ThreeRows();
    auto dialog = Open();
    ASSERT_TRUE(Enabled(*dialog, CImgListDlg::IDC_DELETE));
    dialog->OnCommand(CImgListDlg::IDC_DELETE);
    EXPECT_EQ(m_messages, QStringList{"CRDS_IM_DELETE"});
    EXPECT_EQ(m_texts.value(0), "Delete the image of \"Logo Shop Stamp\"?");
    EXPECT_EQ(Rows("CSB008", {"FILENAME", "GRAPHICDATA IS NULL", "UPDATEDATETIME"},
                   "GRAPHICCODE = '000001'"),
              QList<QStringList>({{"", "1", kStamp}}));
    EXPECT_EQ(dialog->Model()->rowCount(), 6);
    EXPECT_TRUE(dialog->Preview()->Canvas().IsEmpty());
    EXPECT_FALSE(Enabled(*dialog, CImgListDlg::IDC_DELETE));
}

TEST_F(CImgListDlgTest, DeleteCancelledChangesNothing)
{
    ThreeRows();
    auto dialog = Open();
    m_answer = platform::IDCANCEL;
    dialog->OnCommand(CImgListDlg::IDC_DELETE);
    EXPECT_EQ(Rows("CSB008", {"FILENAME", "UPDATEDATETIME"}, "GRAPHICCODE = '000001'"),
              QList<QStringList>({{"logo.bmp", kOld}}));
}

TEST_F(CImgListDlgTest, FailedUpdateChangesNothing)
{
    ThreeRows();
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB008 BEGIN SELECT RAISE(ABORT, 'refused'); "
         "END");
    auto dialog = Open();
    dialog->OnCommand(CImgListDlg::IDC_DELETE);
    EXPECT_EQ(m_messages, QStringList({"CRDS_IM_DELETE", "CRDS_CMN_ERR_SAVE_FAILED"}));
    EXPECT_EQ(m_texts.value(1), "The record could not be saved. (19)");
    EXPECT_EQ(Rows("CSB008", {"FILENAME", "GRAPHICDATA IS NULL", "UPDATEDATETIME"},
                   "GRAPHICCODE = '000001'"),
              QList<QStringList>({{"logo.bmp", "0", kOld}}));
    EXPECT_FALSE(dialog->Preview()->Canvas().IsEmpty());
}

TEST_F(CImgListDlgTest, ChangeStoresTheEditorsImageByteForByte)
{
    ThreeRows();
    auto dialog = Open();
    Select(*dialog, 2); // 000003
    const QByteArray made = MonoBmp(448, 128);
    pellark::GraphicEditRequest seen;
    dialog->SetEditor([&](QWidget*, const pellark::GraphicEditRequest& request,
                          pellark::GraphicEditResult& result) {
        seen = request;
        result.outputFile = m_local + QStringLiteral("/QRE00000001.bmp");
        result.fileName = QStringLiteral("shop.bmp");
        return korvane::test::writeFile(result.outputFile, made);
    });
    FindControlById(dialog.get(), 1)
        ->metaObject()
        ->invokeMethod(FindControlById(dialog.get(), 1), "click");
    EXPECT_EQ(seen.code, 3);
    EXPECT_EQ(seen.fileName, " ");
    EXPECT_TRUE(seen.sourceFile.isEmpty());
    EXPECT_EQ(dialog->result(), 0); // the list stays open
    EXPECT_EQ(
        Rows("CSB008", {"FILENAME", "hex(GRAPHICDATA)", "UPDATEDATETIME"},
             "GRAPHICCODE = '000003'"),
        QList<QStringList>({{"shop.bmp", QString::fromLatin1(made.toHex().toUpper()), kStamp}}));
    EXPECT_EQ(dialog->Preview()->Canvas().Width(), 448);
    EXPECT_TRUE(Enabled(*dialog, CImgListDlg::IDC_DELETE));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CImgListDlgTest, EmptyTableGetsItsSixRowsAndAMissingTableEndsTheList)
{
    auto dialog = Open();
    EXPECT_EQ(dialog->Model()->rowCount(), 6);
    EXPECT_EQ(Rows("CSB008", {"FILENAME"}).size(), 6);
    dialog.reset();
    Exec("DROP TABLE CSB008");
    Open();
    // The library reports the missing table first.
    EXPECT_EQ(m_messages.value(m_messages.size() - 1), "CRDS_CMN_ERR_SETREAD2_FAILED");
}

} // namespace
