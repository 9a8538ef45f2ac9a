#include "shared/dialogs/SubItemValueCheck.h"

#include "shared/data/CStringArrayPtrList.h"
#include "shared/controls/NumberText.h"
#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using T = SubItemDlgType;

// Selection rows the test owns.
struct Rows
{
    explicit Rows(std::initializer_list<QStringList> rows)
    {
        for (const QStringList& row : rows) {
            m_rows.push_back(std::make_unique<QStringList>(row));
            m_list.AddTail(m_rows.back().get());
        }
    }
    std::vector<std::unique_ptr<QStringList>> m_rows;
    CStringArrayPtrList m_list;
};

struct CheckCase
{
    int form;
    int digits;
    int decimals;
    QString text;
    bool allowEmpty;
    const char* key; // "" = accepted
    QString value;   // the converted value when accepted
};

TEST(SubItemValueCheck, ImportTextsAreCheckedAsTheirFormTakesThem)
{
    Rows list{{"01", "Apple"}, {"02", "Pear  x"}, {"03", "Plum"}};
    const CheckCase cases[] = {
        // Dates: real days from 1900 to 3000, eight digits.
        {T::DLGTYPE_DATE, 2, 0, "20240229", false, "", "20240229"},
        {T::DLGTYPE_DATE, 2, 0, "2024022", false, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_DATE, 2, 0, "18991231", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_DATE, 2, 0, "20241301", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_DATE, 2, 0, "20230231", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_DATE, 2, 0, "2023o101", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_DATE, 2, 0, "30001231", false, "", "30001231"},
        // Times.
        {T::DLGTYPE_TIME, 2, 0, "0000", false, "", "0000"},
        {T::DLGTYPE_TIME, 2, 0, "2359", false, "", "2359"},
        {T::DLGTYPE_TIME, 2, 0, "2400", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_TIME, 2, 0, "1260", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_TIME, 2, 0, "930", false, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_TIME, 2, 0, "-930", false, "CRDS_ERR_INPUT", ""},
        // Edits: the edit's character limit, then what the edit could hold.
        {T::DLGTYPE_EDIT, 4, 0, "abcd", false, "", "abcd"},
        {T::DLGTYPE_EDIT, 4, 0, "abcde", false, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_EDIT, 4, 0, "", false, "", ""},
        {42, 3, 0, "abcd", false, "CRDS_ERR_CHAR_TOOLENGTH", ""}, // unknown form = text
        {T::DLGTYPE_PRICE, 6, 0, "123456", false, "", "123456"},
        {T::DLGTYPE_PRICE, 6, 0, "1234567", false, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_PRICE, 6, 0, "12a", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PRICE, 6, 0, "abc", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PRICE, 6, 0, "", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PRICE, 6, 0, "", true, "", ""},
        {T::DLGTYPE_NUMZERO, 4, 0, "0012", false, "", "0012"},
        {T::DLGTYPE_NUMZERO, 4, 0, "12", false, "", "0012"},
        {T::DLGTYPE_NUMZERO, 4, 0, "1 2", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_MINUSPRICE, 4, 0, "-123", false, "", "-123"},
        {T::DLGTYPE_MINUSPRICE, 4, 0, "12-3", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_MINUSPRICE, 4, 0, "-", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PERCENT, 5, 2, "123.45", false, "", "123.45"},
        {T::DLGTYPE_PERCENT, 5, 2, "1.5", false, "", FormatPercentText(3, 150, 2)},
        {T::DLGTYPE_PERCENT, 5, 2, "1234.5", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PERCENT, 5, 2, "12.345", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PERCENT, 5, 2, "1.2.3", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PERCENT, 5, 2, "1234567", false, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_PERCENT, 2, 0, "5%", false, "CRDS_ERR_INPUT", ""},
        // Lists match the entry text, trailing blanks removed.
        {T::DLGTYPE_LIST, 2, 0, "Pear  x  ", false, "", "02"},
        {T::DLGTYPE_COMBO, 2, 0, "Plum", false, "", "03"},
        {T::DLGTYPE_COMBO, 2, 0, " Plum", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_LIST, 2, 0, "Cherry", false, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_LIST, 2, 0, "Cherry", true, "", ""},
        {T::DLGTYPE_LIST, 2, 0, "", false, "CRDS_ERR_INPUT", ""},
    };
    for (const CheckCase& c : cases) {
        const SubItemImportCheck result = CheckSubItemImportText(
            c.form, c.digits, c.decimals, c.text, &list.m_list, c.allowEmpty);
        const bool accepted = QLatin1String(c.key).isEmpty();
        SCOPED_TRACE(testing::Message() << "form " << c.form << " text \"" << c.text.toStdString()
                                        << "\" allowEmpty " << c.allowEmpty);
        EXPECT_EQ(result.bOk, accepted);
        EXPECT_EQ(result.strErrorKey, QLatin1String(c.key));
        EXPECT_EQ(result.nErrorType,
                  accepted ? CErrDataInfo::DATAERR_NONE : CErrDataInfo::DATAERR_ERROR);
        if (accepted) {
            EXPECT_EQ(result.strValue, c.value);
        }
    }
}

TEST(SubItemValueCheck, CheckListAndMissingSelectionData)
{
    Rows flags{{"0", "A"}, {"1", "B"}, {"0", "C"}, {"1", "D"}};
    SubItemImportCheck result =
        CheckSubItemImportText(T::DLGTYPE_CHECKLIST, 2, 0, "", &flags.m_list, false);
    EXPECT_TRUE(result.bOk);
    EXPECT_EQ(result.strValue, "0101");

    Rows bad{{"1", "A"}, {"2", "B"}};
    result = CheckSubItemImportText(T::DLGTYPE_CHECKLIST, 2, 0, "", &bad.m_list, false);
    EXPECT_FALSE(result.bOk);
    EXPECT_EQ(result.strErrorKey, "CRDS_ERR_INPUT");

    Rows empty{};
    EXPECT_TRUE(CheckSubItemImportText(T::DLGTYPE_CHECKLIST, 2, 0, "", &empty.m_list, false).bOk);

    // No selection data, or a row without its text: refused without an error kind,
    // and no row is read past its end.
    Rows shortRow{{"01", "Apple"}, {"02"}};
    for (const CStringArrayPtrList* selection :
         {(const CStringArrayPtrList*)nullptr, (const CStringArrayPtrList*)&shortRow.m_list}) {
        for (int form : {T::DLGTYPE_LIST, T::DLGTYPE_COMBO, T::DLGTYPE_CHECKLIST}) {
            result = CheckSubItemImportText(form, 2, 0, "Apple", selection, false);
            EXPECT_FALSE(result.bOk);
            EXPECT_EQ(result.nErrorType, CErrDataInfo::DATAERR_NONE);
            EXPECT_EQ(result.strErrorKey, "");
        }
    }
}

} // namespace
