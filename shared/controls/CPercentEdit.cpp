#include "shared/controls/CPercentEdit.h"

#include "shared/controls/NumberEditRules.h"
#include "shared/controls/NumberText.h"

#include <QFocusEvent>

CPercentEdit::CPercentEdit(QWidget* parent) : CNumEdit(parent) {}

bool CPercentEdit::SetDigits(int integerDigits, int decimalDigits)
{
    m_nIntegerDigits = integerDigits;
    m_nDecimalDigits = decimalDigits;
    LimitText(integerDigits + decimalDigits + 1);
    return true;
}

bool CPercentEdit::SetPercent(qint64 value)
{
    LimitText(m_nIntegerDigits + m_nDecimalDigits + 1);
    m_nValue = value;
    return SetTrueValue();
}

bool CPercentEdit::GetPercent(qint64* value) const
{
    if (!value)
        return false;
    const qint64 parsed = ParsePercentText(QLineEdit::text(), m_nIntegerDigits, m_nDecimalDigits);
    if (parsed == -1)
        return false;
    *value = parsed;
    return true;
}

bool CPercentEdit::SetTrueValue()
{
    SetTextRaw(FormatPercentText(m_nIntegerDigits, m_nValue, m_nDecimalDigits));
    return true;
}

CEcrEdit::CharAction CPercentEdit::OnChar(QChar ch)
{
    if (ch == u'\t')
        return CharAction::Refuse;
    if (ch != u'.' && !IsAsciiDigit(ch))
        return CharAction::Default;
    return PercentCharAccepted(QLineEdit::text(), SelStart(), SelEnd(), ch, m_nIntegerDigits,
                               m_nDecimalDigits)
               ? CharAction::Insert
               : CharAction::Refuse;
}

QString CPercentEdit::FilterSetText(const QString& text)
{
    // The whole text is replaced, so the new text may bring its own point.
    QString filtered = text;
    if (HasNumberStyle())
        DeleteNonDecimalNumber(filtered);
    return filtered;
}

QString CPercentEdit::FilterReplaceSel(const QString& text)
{
    QString filtered = text;
    if (!HasNumberStyle())
        return filtered;
    // A second point may only come in when the old one is being replaced.
    const qsizetype dot = QLineEdit::text().indexOf(u'.');
    if (dot < 0 || (dot >= SelStart() && dot < SelEnd()))
        DeleteNonDecimalNumber(filtered);
    else
        DeleteNonNumber(filtered);
    return filtered;
}

void CPercentEdit::PasteText(const QString& text)
{
    ReplaceSel(text);
    end(false);
}

void CPercentEdit::OnTextChange()
{
    const QString tidy =
        NormalizePercentText(QLineEdit::text(), m_nIntegerDigits, m_nDecimalDigits);
    if (tidy != QLineEdit::text())
        ReplaceTextKeepCaret(tidy);
}

void CPercentEdit::focusOutEvent(QFocusEvent* event)
{
    CNumEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason || m_nDecimalDigits <= 0)
        return;
    const qint64 parsed = ParsePercentText(QLineEdit::text(), m_nIntegerDigits, m_nDecimalDigits);
    if (parsed == -1)
        return; // left as typed
    m_nValue = parsed;
    SetTrueValue();
}
