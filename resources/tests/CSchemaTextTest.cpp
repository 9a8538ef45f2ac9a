// Splitting a schema text into the statements the schema runner executes.

#include "CSchemaText.h"
#include "TestFolders.h"

#include <gtest/gtest.h>

using korvane::test::TestFolders;

TEST(CSchemaTextRead, SplitsAtEverySemicolon)
{
    struct Case
    {
        const char* name;
        QByteArray text;
        QStringList statements;
        QString rest;
    };
    const Case cases[] = {
        {"two on one line",
         "CREATE TABLE A (X);CREATE TABLE B (Y);\n",
         {"CREATE TABLE A (X);", "CREATE TABLE B (Y);"},
         "\n"},
        {"across CR LF lines",
         "CREATE TABLE A (\r\nX VARCHAR(2)\r\n);\r\n",
         {"CREATE TABLE A (\nX VARCHAR(2)\n);"},
         "\n"},
        {"semicolon in a comment cuts",
         "-- a; b\nCREATE TABLE A (X);\n",
         {"-- a;", " b\nCREATE TABLE A (X);"},
         "\n"},
        {"text after the last semicolon is left",
         "CREATE TABLE A (X);\nCREATE TABLE B (Y)",
         {"CREATE TABLE A (X);"},
         "\nCREATE TABLE B (Y)\n"},
        {"8-bit text",
         "-- \xe9\nCREATE TABLE A (X);",
         {QString::fromLatin1("-- \xe9\nCREATE TABLE A (X);")},
         "\n"},
    };
    TestFolders folders;
    const QString path = folders.scratch() + QStringLiteral("/Schema.txt");
    for (const Case& c : cases) {
        ASSERT_TRUE(korvane::test::writeFile(path, c.text));
        CSchemaText text;
        ASSERT_TRUE(text.Read(path)) << c.name;
        EXPECT_EQ(text.Statements(), c.statements) << c.name;
        EXPECT_EQ(text.Rest(), c.rest) << c.name;
    }
}

TEST(CSchemaTextRead, MissingFileFails)
{
    CSchemaText text;
    EXPECT_FALSE(text.Read(QStringLiteral("/nonexistent/Schema.txt")));
    EXPECT_TRUE(text.Statements().isEmpty());
}
