#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Splits one line of delimited text into its fields at construction.
// A field that begins with a double quote runs to the closing quote that
// stands before a delimiter or the end of the text; inside it delimiters are
// ordinary characters and two double quotes stand for one. One line feed at
// the end of the text is dropped (a carriage return before it stays). A
// delimiter at the very end adds no field; an empty text gives no field.
// Texts of any length are split whole.
class CSplitStringData
{
public:
    // Only the first character of delimiter is used; without one the text
    // is a single field.
    CSplitStringData(const QString& text, const QString& delimiter);
    virtual ~CSplitStringData();

    qsizetype GetValueCount() const { return m_arrValues.size(); }
    const QStringList& GetStringArray() const { return m_arrValues; }

private:
    void Split(const QString& text);

    QChar m_chDelimiter;
    bool m_bHasDelimiter = false;
    QStringList m_arrValues;
};
