#pragma once

#include "shared/lang/CProgramLang.h"
#include "shared/tests/WorkDbFixture.h"

#include <QFile>
#include <QRegularExpression>

// A work database with every table of the default schema and the goods
// program's language texts.
class GoodsDbFixture : public WorkDbFixture
{
protected:
    void SetUp() override
    {
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+) \\("));
        QStringList tables;
        for (const auto& m : create.globalMatch(QString::fromUtf8(schema.readAll())))
            tables << m.captured(1);
        CreateTables(tables);
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Brelkin"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    }
    void TearDown() override
    {
        CProgramLang::Release();
        WorkDbFixture::TearDown();
    }

    // One value of a row, as sqlite stores it ("<null>" for NULL).
    QString Value(const QString& table, const QString& column, const QString& where)
    {
        CSQliteSQL sql(*m_db, table);
        EXPECT_EQ(
            sql.SetSQLForRead({QStringLiteral("IFNULL(%1, '<null>')").arg(column)}, where, {}, 0),
            0);
        int status = 0;
        CSQRowArray* batch = sql.ExecReadNext(status);
        return batch && !batch->isEmpty() ? batch->first()->value(0) : QStringLiteral("<no row>");
    }
};
