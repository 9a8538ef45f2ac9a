#include "shared/controls/CMinusPriceEdit.h"

#include "shared/controls/NumberEditRules.h"
#include "shared/controls/NumberText.h"

#include <QFocusEvent>

CMinusPriceEdit::CMinusPriceEdit(QWidget* parent) : CNumEdit(parent) {}

bool CMinusPriceEdit::SetDigits(int digits)
{
    m_nDigits = digits;
    return true;
}

bool CMinusPriceEdit::SetPrice(quint32 price)
{
    SetText(QString::number(price));
    return true;
}

bool CMinusPriceEdit::SetPrice64(qint64 price)
{
    // The filter takes the group separators out again.
    SetText(hasFocus() ? QString::number(price) : FormatPriceText(price));
    return true;
}

bool CMinusPriceEdit::GetPrice(quint32* price) const
{
    return ReadPrice(price);
}

bool CMinusPriceEdit::GetPrice64(qint64* price) const
{
    return ReadPrice64(price);
}

CEcrEdit::CharAction CMinusPriceEdit::OnChar(QChar ch)
{
    if (ch.unicode() < 32 || ch.unicode() == 127)
        return ch == u'\t' ? CharAction::Refuse : CharAction::Default;
    if (IsAsciiDigit(ch))
        return CharAction::Insert;
    if (ch == u'-') {
        return MinusCharAccepted(QLineEdit::text(), SelStart(), SelEnd()) ? CharAction::Insert
                                                                          : CharAction::Refuse;
    }
    return CharAction::Refuse;
}

QString CMinusPriceEdit::FilterSetText(const QString& text)
{
    QString filtered = text;
    DeleteNonMinusNumber(filtered);
    return filtered;
}

QString CMinusPriceEdit::FilterReplaceSel(const QString& text)
{
    return CMinusPriceEdit::FilterSetText(text);
}

void CMinusPriceEdit::PasteText(const QString& text)
{
    ReplaceSel(text);
    QString whole = QLineEdit::text();
    if (DeleteNonMinusNumber(whole))
        SetTextRaw(whole);
}

void CMinusPriceEdit::OnTextChange()
{
    const QString tidy = RemoveInnerMinus(QLineEdit::text());
    if (tidy != QLineEdit::text())
        ReplaceTextKeepCaret(tidy);
}

void CMinusPriceEdit::focusInEvent(QFocusEvent* event)
{
    CNumEdit::focusInEvent(event);
    const QString plain = QString::number(ParsePriceText(QLineEdit::text()));
    EnterAmountField(event, m_nIntegrity == 1 ? &plain : nullptr, m_nDigits);
}
