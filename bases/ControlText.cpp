#include "bases/ControlText.h"

#include "goods/base/CMessageEdit.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

namespace dunmarel {

QString ControlText(const QWidget* control)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* message = qobject_cast<const CMessageEdit*>(control))
        return message->StoredText();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return QString();
}

bool IsAllDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace dunmarel
