#include "shared/controls/CNumEdit.h"

#include "shared/controls/NumberText.h"

#include <QFocusEvent>
#include <QMenu>

CNumEdit::CNumEdit(QWidget* parent) : CEcrEdit(parent)
{
    SetNumberStyle(true);
}

bool CNumEdit::SetPasteEnable(bool enable)
{
    const bool previous = m_bPasteEnable;
    m_bPasteEnable = enable;
    return previous;
}

std::unique_ptr<QMenu> CNumEdit::CreateContextMenu()
{
    if (!m_bPasteEnable)
        return nullptr;
    return CEcrEdit::CreateContextMenu();
}

QString CNumEdit::FilterSetText(const QString& text)
{
    QString filtered = text;
    if (HasNumberStyle())
        DeleteNonNumber(filtered);
    return filtered;
}

QString CNumEdit::FilterReplaceSel(const QString& text)
{
    return CNumEdit::FilterSetText(text);
}

bool CNumEdit::ReadPrice(quint32* price) const
{
    qint64 amount = 0;
    if (!ReadPrice64(&amount))
        return false;
    *price = quint32(quint64(amount) & 0xFFFFFFFFu);
    return true;
}

bool CNumEdit::ReadPrice64(qint64* price) const
{
    if (!price)
        return false;
    *price = ParsePriceText(QLineEdit::text());
    return true;
}

void CNumEdit::EnterAmountField(const QFocusEvent* event, const QString* plain, int digits)
{
    if (event->reason() == Qt::PopupFocusReason)
        return; // back from a context menu: the field was never left
    // Plain digits first, then the limit, so that no separator counts against it.
    if (plain)
        SetTextRaw(*plain);
    LimitText(digits);
    // A click places the caret itself (the mouse press follows the focus).
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
}
