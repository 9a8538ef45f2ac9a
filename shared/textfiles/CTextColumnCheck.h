#pragma once

#include <QString>
#include <QStringView>

class CSQTableInfo;

// What one column of a table text file may hold, without any control: a code
// (digits only, as many as the column's width), a number (within the declared
// digits and decimals) or a text (within the declared length). A value the
// column cannot hold is refused, never cut or turned into another value.
class CTextColumnCheck
{
public:
    enum Kind { Text, Code, Number };

    CTextColumnCheck() = default;
    // From the column's declared type and width; a VARCHAR column the caller
    // knows as a code is checked as one.
    CTextColumnCheck(const CSQTableInfo& column, bool code);

    bool Accepts(QStringView value) const;

    Kind m_nKind = Text;
    int m_nWidth = 0; // 0: the declaration gives no width
    int m_nDecimals = 0;
    bool m_bNullable = true;
};
