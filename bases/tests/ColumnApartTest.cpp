// The column-apart descriptors on their controls, without a database.
#include "bases/CColumnApartDataCheck.h"
#include "bases/CColumnApartDataNumber.h"
#include "bases/CColumnApartDataTime.h"
#include "bases/CColumnApartDateTimeData.h"
#include "bases/CColumnApartNumData.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <QWidget>

#include <gtest/gtest.h>

using namespace dunmarel;

namespace {

const QString kTable = QStringLiteral("CSB001");
const QString kValue = QStringLiteral("VALUE");
const QString kKey = QStringLiteral("OPSETCODE");

// A group of eight boxes, the first with the descriptor's id.
struct CheckGroup
{
    CheckGroup()
    {
        for (uint id = 1061; id <= 1068; ++id)
            SetControlId(new QCheckBox(&group), id);
    }
    QCheckBox* Box(int i) { return qobject_cast<QCheckBox*>(FindControlById(&group, 1061 + i)); }
    QWidget group;
    CColumnApartDataCheck column{kTable, kValue, kKey, QStringLiteral("REPORT.X.BATCH.DEFAULT"),
                                 1061,   0,      8};
};

} // namespace

TEST(ColumnApartDataCheck, ShortValueFillsEightFlags)
{
    CheckGroup g;
    g.column.SetControlValue(g.Box(0), QStringLiteral("101"));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(g.Box(i)->isChecked(), i == 0 || i == 2) << i;
    QString value;
    g.column.GetControlValue(g.Box(0), value);
    EXPECT_EQ(value, QStringLiteral("10100000"));
}

TEST(ColumnApartDataCheck, FlagsPastTheBoxesAreKept)
{
    CheckGroup g;
    g.column.SetControlValue(g.Box(0), QStringLiteral("101000001111"));
    g.Box(1)->setChecked(true);
    QString value;
    g.column.GetControlValue(g.Box(0), value);
    EXPECT_EQ(value, QStringLiteral("111000001111"));
}

TEST(ColumnApartDataTime, FourDigitsUpTo2359OrZero)
{
    CColumnApartDataTime column(kTable, kValue, kKey, QStringLiteral("SALES.REG.SERVICECHG2.START"),
                                1058, 0, 7, 4);
    CEcrEdit edit;
    const std::pair<const char*, bool> cases[] = {
        {"2400", false}, {"1260", false}, {"930", false}, {"0:0;", false}, {"12a0", false},
        {"0", true},     {"2359", true},  {"0000", true}, {"", true},
    };
    for (const auto& [text, accepted] : cases) {
        edit.SetText(QLatin1String(text));
        EXPECT_EQ(column.CheckControlValue(&edit), accepted) << text;
    }
}

TEST(ColumnApartNumData, DigitsAndAPointOnlyWithDecimals)
{
    CColumnApartNumData rate(kTable, kValue, kKey, QStringLiteral("SALES.REG.SERVICECHG.RATE"),
                             1055, 0, 7, 5, 2);
    CColumnApartNumData count(kTable, kValue, kKey, QStringLiteral("AREA.TAX.PREPAREDMAL"), 1054, 0,
                              20, 13, 0);
    rate.m_nDecimals = 2; // as the column facts set it
    CEcrEdit edit;
    struct Case
    {
        const char* text;
        bool rate;
        bool count;
    };
    const Case cases[] = {{"8.5", true, false},
                          {"10", true, true},
                          {"abc", false, false},
                          {"", true, true},
                          {"-1", false, false}};
    for (const Case& c : cases) {
        edit.SetText(QLatin1String(c.text));
        EXPECT_EQ(rate.CheckControlValue(&edit), c.rate) << c.text;
        EXPECT_EQ(count.CheckControlValue(&edit), c.count) << c.text;
    }
}

TEST(ColumnApartDataNumber, ScanningRange)
{
    QWidget page;
    auto* start = new CEcrEdit(&page);
    auto* end = new CEcrEdit(&page);
    SetControlId(start, 1091);
    SetControlId(end, 1092);
    CColumnApartDataNumber column(kTable, kValue, kKey, QStringLiteral("SALES.REG.SCANPLU.START"),
                                  1091, 0, 20, 5);
    struct Case
    {
        const char* start;
        const char* end;
        bool accepted;
    };
    const Case cases[] = {
        {"0", "10", false}, {"5", "3", false},    {"5", "", true},
        {"", "3", false},   {"1", "99999", true}, {"1", "100000", false},
        {"12", "9", false}, {"2", "10", true},    {"x", "10", false},
    };
    for (const Case& c : cases) {
        start->SetText(QLatin1String(c.start));
        end->SetText(QLatin1String(c.end));
        // The end's own check sees the same range.
        QWidget* checked = *c.start ? static_cast<QWidget*>(start) : end;
        EXPECT_EQ(column.CheckControlValue(checked), c.accepted) << c.start << "-" << c.end;
    }
}

TEST(ColumnApartDateTimeData, DatesAndTimesInPickers)
{
    CColumnApartDateTimeData date(QStringLiteral("CTS001"), QStringLiteral("STARTDATE"),
                                  QStringLiteral("SCHEDULERCODE"), QStringLiteral("REG900"), 1170,
                                  0, 1);
    CColumnApartDateTimeData time(QStringLiteral("CTS001"), QStringLiteral("STARTTIME"),
                                  QStringLiteral("SCHEDULERCODE"), QStringLiteral("REG900"), 1171,
                                  0, 0);
    QDateEdit datePicker;
    QTimeEdit timePicker;
    QString value;
    date.SetControlValue(&datePicker, QStringLiteral("20240229"));
    EXPECT_EQ(datePicker.date(), QDate(2024, 2, 29));
    date.SetControlValue(&datePicker, QStringLiteral("20230230")); // no such day
    EXPECT_EQ(datePicker.date(), QDate(2024, 2, 29));
    date.GetControlValue(&datePicker, value);
    EXPECT_EQ(value, QStringLiteral("20240229"));

    time.SetControlValue(&timePicker, QStringLiteral("0730"));
    EXPECT_EQ(timePicker.time(), QTime(7, 30));
    EXPECT_EQ(timePicker.displayFormat(), QStringLiteral("HH:mm"));
    time.GetControlValue(&timePicker, value);
    EXPECT_EQ(value, QStringLiteral("0730"));
}
