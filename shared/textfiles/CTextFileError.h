#pragma once

#include "shared/lang/FormatLangText.h"

#include <QList>
#include <QString>

// What fills a placeholder of a table text job's error text.
enum class TextFileErrorArg {
    Status,       // the database status
    Line,         // the line of the text file
    FieldCount,   // the values that line holds
    Expected,     // the columns the first line names
    MaxLineBytes, // the longest line a text file may have
    Field,        // a column name
    Table,        // the table of a value that cannot be written
    KeyValue,     // the key of that value's row; a refused value or a repeated key
    SystemError,  // what the system said about a file
};

// An error key whose text is formatted, with the arguments in the order its
// placeholders take them. Keys not listed are shown as they stand, so their
// texts hold no placeholder; the language-key test holds the texts to this.
struct TextFileErrorFormat
{
    const char* key;
    QList<TextFileErrorArg> args;
};
const QList<TextFileErrorFormat>& TextFileErrorFormats();

// What a table text job knows about its failure, and the one place that turns
// it into the text shown to the user.
class CTextFileError
{
public:
    // An empty key counts as an unknown error.
    QString Message() const;
    // The value given for an argument; its kind (number or text) is the one
    // the placeholder must take.
    LangTextArg ArgValue(TextFileErrorArg arg) const;

    QString m_strKey;
    int m_nStatus = 0;
    QString m_strField;
    QString m_strTable;    // of a value that cannot be written
    QString m_strKeyValue; // the key of that value's row; a refused value or a repeated key
    int m_nLine = 0;
    int m_nFieldCount = 0;
    int m_nExpected = 0;
    QString m_strSystemError;
};
