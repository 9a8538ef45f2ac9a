// Splitting schema and seed texts into the statements that are run.

#include "CSQSchemaScript.h"

#include <gtest/gtest.h>

TEST(CSQSchemaScriptSplit, CutsWhereSQLiteSeesAStatementEnd)
{
    struct Case
    {
        const char* name;
        QString text;
        QStringList statements;
        QString rest;
    };
    const Case cases[] = {
        {"two on one line", "CREATE TABLE A (X);CREATE TABLE B (Y);\n",
         {"CREATE TABLE A (X);", "CREATE TABLE B (Y);"}, "\n"},
        {"CR LF becomes LF", "CREATE TABLE A (\r\nX VARCHAR(2)\r\n);\r\n",
         {"CREATE TABLE A (\nX VARCHAR(2)\n);"}, "\n"},
        {"leading comments stay, their semicolons do not cut",
         "-- a; b\n/* c; */ CREATE TABLE A (X);\n",
         {"-- a; b\n/* c; */ CREATE TABLE A (X);"}, "\n"},
        {"semicolon in a literal does not cut", "INSERT INTO A VALUES ('x;y');",
         {"INSERT INTO A VALUES ('x;y');"}, ""},
        {"text after the last statement is left", "CREATE TABLE A (X);\nCREATE TABLE B (Y)",
         {"CREATE TABLE A (X);"}, "\nCREATE TABLE B (Y)"},
        {"only a comment", "-- nothing here\n", {}, "-- nothing here\n"},
    };
    for (const Case& c : cases) {
        QString rest = "unset";
        EXPECT_EQ(CSQSchemaScript::Split(c.text, &rest), c.statements) << c.name;
        EXPECT_EQ(rest, c.rest) << c.name;
    }
}
