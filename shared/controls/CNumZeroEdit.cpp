#include "shared/controls/CNumZeroEdit.h"

#include "shared/controls/NumberEditRules.h"

#include <QFocusEvent>

CNumZeroEdit::CNumZeroEdit(QWidget* parent) : CNumEdit(parent) {}

bool CNumZeroEdit::SetDigits(int digits)
{
    m_nZeroDigits = digits;
    return true;
}

void CNumZeroEdit::focusOutEvent(QFocusEvent* event)
{
    CNumEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return; // a context menu opening is not leaving the field
    const QString filled = ZeroFillText(QLineEdit::text(), m_nZeroDigits);
    if (filled != QLineEdit::text())
        SetTextRaw(filled);
}
