#include "shared/data/CRecord.h"

#include <gtest/gtest.h>

namespace {

// Each value as it reads back: text, and NULL apart from empty.
void ExpectSameValues(const CRecord& record, const QStringList& values)
{
    ASSERT_EQ(record.size(), values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(record.at(i), values[i]) << i;
        EXPECT_EQ(record.isNull(i), values[i].isNull()) << i;
        EXPECT_EQ(record.value(i).isNull(), values[i].isNull()) << i;
    }
}

} // namespace

TEST(CRecord, KeepsEveryValueNullAndEmptyApart)
{
    const QString longText(40000, u'x'); // past 16-bit offsets
    const QList<QStringList> rows = {
        {},
        {QString()},
        {QStringLiteral("")},
        {QStringLiteral("0001"), QString(), QStringLiteral(""), QStringLiteral("Äpfel 林檎")},
        {QString(), QString(), QString()},
        {QStringLiteral("a"), longText, QString(), QStringLiteral(""), QStringLiteral("z")},
    };
    for (const QStringList& values : rows) {
        const CRecord record(values);
        ExpectSameValues(record, values);
        EXPECT_EQ(record.toList(), values);
        ExpectSameValues(CRecord(record), values); // a copy is whole
    }
}

TEST(CRecord, ValueOutsideTheRowIsNullOrTheFallback)
{
    const CRecord record{QStringLiteral("a")};
    EXPECT_TRUE(record.value(1).isNull());
    EXPECT_TRUE(record.value(-1).isNull());
    EXPECT_EQ(record.value(5, QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_TRUE(CRecord().isEmpty());
}

TEST(CRecord, ReplaceAndAppendChangeOnlyTheirValue)
{
    QStringList values{QStringLiteral("0001"), QString(), QStringLiteral("Pear"),
                       QStringLiteral("")};
    CRecord record(values);
    record.replace(1, QStringLiteral("120"));
    values[1] = QStringLiteral("120");
    ExpectSameValues(record, values);
    record.replace(2, QString()); // back to NULL
    values[2] = QString();
    ExpectSameValues(record, values);
    record.replace(9, QStringLiteral("ignored"));
    record.append(QString(40000, u'y')); // the row turns wide
    values.append(QString(40000, u'y'));
    ExpectSameValues(record, values);
    QStringList iterated;
    for (const QString& value : record)
        iterated << value;
    EXPECT_EQ(iterated, values);
}
