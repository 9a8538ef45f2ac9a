#pragma once

#include <QString>
#include <QStringList>

// A schema text read the way the archive library's schema runner reads it:
// 8-bit lines, line ends not significant, every ';' ends a statement (which
// keeps its ';'), and text after the last ';' is never run.
class CSchemaText
{
public:
    // False when the file cannot be read.
    bool Read(const QString& path);

    const QStringList& Statements() const { return m_statements; }
    // What follows the last ';'.
    const QString& Rest() const { return m_rest; }

private:
    QStringList m_statements;
    QString m_rest;
};
