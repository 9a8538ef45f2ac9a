// Every table code that the sources name in a string literal must be a table
// of the default schema, or a program meets "no such table" on a new file.

#include "resources/tests/SchemaFixture.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace korvane::test;

namespace {

// Table codes inside the string literals of one source text. Names joined to
// a code by '_' (shadow tables, blob files, temporary copies) are not codes.
QSet<QString> tableCodesInLiterals(const QString& source)
{
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    static const QRegularExpression code(QStringLiteral("\\bC[A-Z]{2}\\d{3}\\b"));
    QSet<QString> codes;
    for (auto lit = literal.globalMatch(source); lit.hasNext();) {
        const QString text = lit.next().captured(1);
        for (auto m = code.globalMatch(text); m.hasNext();)
            codes.insert(m.next().captured(0));
    }
    return codes;
}

QSet<QString> schemaTables()
{
    static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+)"));
    QSet<QString> tables;
    for (const QString& statement : schemaStatements(schemaFile())) {
        const auto m = create.match(statement);
        if (m.hasMatch())
            tables.insert(m.captured(1));
    }
    return tables;
}

} // namespace

TEST(TableUsage, CodesAreFoundInLiteralsOnly)
{
    struct Case
    {
        const char* source;
        QStringList codes;
    };
    const Case cases[] = {
        {R"(read("CSB002, CSM018", "CSB002.FUNCTIONCODE=CSM018.FUNCTIONCODE");)",
         {"CSB002", "CSM018"}},
        {R"(x = "CIA001_BASE_Tovanel"; y = "TEMP_CSM001"; z = "CSB008_%d.blob";)", {}},
        {R"(// CIA002 in a comment, "REG900" is a scheduler code)", {}},
        {R"(s = "a \"CTT001\" b";)", {"CTT001"}},
    };
    for (const Case& c : cases) {
        const QSet<QString> expected(c.codes.cbegin(), c.codes.cend());
        EXPECT_EQ(tableCodesInLiterals(QString::fromUtf8(c.source)), expected) << c.source;
    }
}

TEST(TableUsage, EveryTableTheSourcesNameIsInTheSchema)
{
    const QSet<QString> tables = schemaTables();
    ASSERT_FALSE(tables.isEmpty());
    const QString root = QStringLiteral(KORVANE_SOURCE_DIR);
    QStringList missing;
    QDirIterator it(root, {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        // Tests build their own fixture tables; build trees hold generated code.
        if (relative.startsWith(QLatin1String("build")) || relative.startsWith(QLatin1Char('.')) ||
            relative.contains(QLatin1String("/tests/")))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString& code : tableCodesInLiterals(QString::fromUtf8(file.readAll()))) {
            if (!tables.contains(code))
                missing << code + QStringLiteral(" (") + relative + QLatin1Char(')');
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1String(", ")).toStdString();
}
