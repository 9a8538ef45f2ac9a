#include "goods/FloatingPriceText.h"

#include "goods/CColumnDataFloatingPrice.h"

#include "shared/data/CSqLiteItemDataUtility.h"

namespace brelkin {

FloatingPriceWrite DecideFloatingPriceWrite(const QString& text, const QString& preEdit,
                                            bool skipUnchanged, QString& stored)
{
    stored.clear();
    if (skipUnchanged && text == preEdit)
        return FloatingPriceWrite::Nothing;
    // The shown fallback, whole or without its "*", is no price of its own.
    if (text.contains(u'*') || (!text.isEmpty() && QStringLiteral("*") + text == preEdit))
        return FloatingPriceWrite::Nothing;
    if (text.isEmpty())
        return FloatingPriceWrite::Delete;
    const bool negative = text.startsWith(u'-');
    QString digits = text.mid(negative ? 1 : 0);
    qsizetype zeros = 0;
    while (zeros < digits.size() && digits.at(zeros) == u'0')
        ++zeros;
    digits.remove(0, zeros);
    // Every run of zeros is the entered 0, which the register reads as "-0".
    stored = digits.isEmpty() ? QStringLiteral("-0")
                              : (negative ? QStringLiteral("-") : QString()) + digits;
    return FloatingPriceWrite::Save;
}

bool StoreFloatingPrice(CSQliteDB& db, const CColumnDataFloatingPrice& column, const QString& code,
                        const QString& text, const QString& preEdit, bool skipUnchanged, int& err)
{
    err = 0;
    QString stored;
    switch (DecideFloatingPriceWrite(text, preEdit, skipUnchanged, stored)) {
    case FloatingPriceWrite::Save:
        return CSqLiteItemDataUtility::SaveRecordCSA007(db, column.m_strFloatingItemCode,
                                                        column.m_strCtrlType, code,
                                                        column.PriceCode(), stored, err);
    case FloatingPriceWrite::Delete:
        return CSqLiteItemDataUtility::DeleteRecordCSA007(
            db, column.m_strFloatingItemCode, column.m_strCtrlType, code, column.PriceCode(), err);
    case FloatingPriceWrite::Nothing:
        break;
    }
    return true;
}

} // namespace brelkin
