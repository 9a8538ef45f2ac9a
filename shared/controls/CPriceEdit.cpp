#include "shared/controls/CPriceEdit.h"

#include "shared/controls/NumberText.h"

#include <QFocusEvent>

CPriceEdit::CPriceEdit(QWidget* parent) : CNumEdit(parent) {}

bool CPriceEdit::SetDigits(int digits)
{
    m_nDigits = digits;
    return true;
}

bool CPriceEdit::SetPrice(quint32 price)
{
    SetTextRaw(QString::number(price));
    return true;
}

bool CPriceEdit::SetPrice64(quint64 price)
{
    SetTextRaw(hasFocus() ? QString::number(price) : FormatPriceText(qint64(price)));
    return true;
}

bool CPriceEdit::GetPrice(quint32* price) const
{
    return ReadPrice(price);
}

bool CPriceEdit::GetPrice64(qint64* price) const
{
    return ReadPrice64(price);
}

void CPriceEdit::focusInEvent(QFocusEvent* event)
{
    CNumEdit::focusInEvent(event);
    const QString plain = QString::number(quint64(ParsePriceText(QLineEdit::text())));
    EnterAmountField(event, &plain, m_nDigits);
}
