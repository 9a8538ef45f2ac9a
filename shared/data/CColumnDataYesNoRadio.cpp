#include "shared/data/CColumnDataYesNoRadio.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/NumberOfText.h"
#include "shared/lang/CSarvikApp.h"

#include <QAbstractButton>
#include <QWidget>

CColumnDataYesNoRadio::CColumnDataYesNoRadio(const QString& column, const QString& labelKey,
                                             uint ctrlId, uint labelCtrlId, int yesIsOne)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId), m_bYesIsOne(yesIsOne == 1)
{
}

bool CColumnDataYesNoRadio::IsYesValue(const QString& value) const
{
    return NumberOfText(value) == (m_bYesIsOne ? 1 : 0);
}

QString CColumnDataYesNoRadio::GetDescript(QString value)
{
    // Looked up once for the process (again while the language file gave none).
    static QString yes;
    static QString no;
    if (yes.isEmpty()) {
        yes = LoadCommonString(QStringLiteral("CRDS_CMN_ITEM_YES"));
        no = LoadCommonString(QStringLiteral("CRDS_CMN_ITEM_NO"));
    }
    return IsYesValue(value) ? yes : no;
}

namespace {

QAbstractButton* yesButton(QWidget* control, uint id)
{
    QWidget* parent = control ? control->parentWidget() : nullptr;
    return qobject_cast<QAbstractButton*>(FindControlById(parent, id));
}

} // namespace

void CColumnDataYesNoRadio::SetControlValue(QWidget* control, const QString& value)
{
    QAbstractButton* yes = yesButton(control, m_nCtrlID);
    if (!yes)
        return;
    QAbstractButton* no = NextRadioInGroup(yes);
    const bool isYes = IsYesValue(value);
    SetRadioChecked(isYes ? no : yes, false);
    SetRadioChecked(isYes ? yes : no, true);
}

void CColumnDataYesNoRadio::GetControlValue(QWidget* control, QString& value)
{
    QAbstractButton* yes = yesButton(control, m_nCtrlID);
    if (!yes)
        return;
    QAbstractButton* no = NextRadioInGroup(yes);
    // Neither checked reads as yes.
    value = no && no->isChecked() ? NoValue() : YesValue();
}

bool CColumnDataYesNoRadio::CheckControlValue(QWidget*)
{
    m_strErrMsg.clear();
    return true;
}
