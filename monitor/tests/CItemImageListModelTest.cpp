#include "monitor/CItemImageListModel.h"

#include "monitor/CColumnDataListMoLocal.h"
#include "monitor/tests/MonitorFixture.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractItemModelTester>

#include <memory>
#include <vector>

namespace mervolt {
namespace {

using test::MonitorFixture;

// Five columns: a numeric code, text in the others.
class CItemImageListModelTest : public MonitorFixture
{
protected:
    CItemImageListModelTest()
    {
        const char* names[] = {"ITEMCODE", "SCANCODE1", "ITEMNAME", "ITEMDEPTCODE", "REMARKS"};
        for (int i = 0; i < 5; ++i)
            m_columns[i] = new CColumnData(names[i], "CRDS_MO_CLMN_PLUCODE", 0, 0);
        m_columns[5] = nullptr;
        m_columns[0]->m_nType = SQLTYPE_NUMERIC;
        m_list = std::make_unique<CColumnDataListMoLocal>("CIA001", m_columns);
        for (const char* code : {"10", "9", "100"}) {
            m_rows.push_back(
                std::make_unique<CRecord>(QStringList{code, "-", QString(code) + "n", "-", ""}));
            m_records.Add(m_rows.back().get());
        }
    }
    ~CItemImageListModelTest() override
    {
        for (int i = 0; i < 5; ++i)
            delete m_columns[i];
    }
    QStringList column(const CItemImageListModel& model, int c) const
    {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r)
            out << model.index(r, c).data().toString();
        return out;
    }

    CColumnData* m_columns[6] = {};
    std::unique_ptr<CColumnDataListMoLocal> m_list;
    // The rows are the fixture's, as a cache's rows are its statement's: the
    // model takes rows out of the array without freeing them.
    std::vector<std::unique_ptr<CRecord>> m_rows;
    CStringArrayPtrArray m_records;
};

TEST_F(CItemImageListModelTest, NumbersSortByValueTextsByOrdinalAndASecondClickReverses)
{
    CItemImageListModel model(m_list.get(), &m_records, true);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.BuildColumns();
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    const struct
    {
        int column;
        QStringList codes;
    } clicks[] = {
        {0, {"100", "10", "9"}}, // sorted by code at the start: the first click reverses
        {0, {"9", "10", "100"}},
        {2, {"100", "10", "9"}}, // "100n" < "10n" < "9n"
        {2, {"9", "10", "100"}},
    };
    for (const auto& click : clicks) {
        EXPECT_TRUE(model.ClickColumn(click.column));
        EXPECT_EQ(column(model, 0), click.codes) << click.column;
    }
    EXPECT_EQ(model.FindRowByCode("100"), 2); // sorted by the code first
    EXPECT_EQ(column(model, 0), QStringList({"9", "10", "100"}));
    model.SetMark(1, true);
    EXPECT_EQ(column(model, 4), QStringList({"", GetLangString("CRDS_MO_SELPMARK"), ""}));
    EXPECT_EQ(model.FirstRowOf("10"), 1);
    EXPECT_EQ(model.FindRowByCode("11"), -1);
}

TEST_F(CItemImageListModelTest, DisplayArchiveRowsGrowShrinkAndIgnoreScanCodeAndDepartment)
{
    CItemImageListModel model(m_list.get(), &m_records, false);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.BuildColumns();
    EXPECT_FALSE(model.ClickColumn(1));
    EXPECT_FALSE(model.ClickColumn(3));
    EXPECT_TRUE(model.ClickColumn(2));
    m_list->m_pRecords = &m_records;
    model.AppendCode("7");
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.FirstRowOf("7"), 3);
    model.RemoveRecord(0);
    EXPECT_EQ(column(model, 0), QStringList({"10", "9", "7"}));
    // Widths: the values', else the title's, else the language file's.
    EXPECT_EQ(model.ColumnChars(0), GetLangString("CRDS_MO_CLMN_PLUCODE").size());
    m_records.RemoveAll(); // the list owns the appended row
    for (int i = 0; i < 5; ++i)
        m_columns[i]->m_strLabelKey.clear();
    EXPECT_EQ(model.ColumnChars(4), GetLangString("CRDS_MO_COLUNWIDTH_5").toInt());
}

} // namespace
} // namespace mervolt
