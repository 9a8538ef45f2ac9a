#include "bases/CColumnApartDataStaticCombo.h"

#include "bases/CColumnApartData.h"

#include <QComboBox>

namespace dunmarel {

CColumnApartDataStaticCombo::CColumnApartDataStaticCombo(
    const QString& table, const QString& column, const QString& keyColumn, const QString& keyValue,
    uint ctrlId, uint labelCtrlId, const tagCLMSTRITEM* items, int count, int addBlank, int zeroPad)
    : CColumnDataStaticCombo(column, QString(), ctrlId, labelCtrlId, items, count, addBlank,
                             zeroPad)
{
    CColumnApartData::BindOwnRow(*this, table, keyColumn, keyValue);
}

CColumnApartDataStaticCombo::~CColumnApartDataStaticCombo() = default;

void CColumnApartDataStaticCombo::ReadCandidate(QWidget* control)
{
    // Filled once: a second fill would lose the user's choice.
    auto* combo = qobject_cast<QComboBox*>(control);
    if (combo && combo->count() > 0)
        return;
    CColumnDataStaticCombo::ReadCandidate(control);
}

bool CColumnApartDataStaticCombo::CheckControlValue(QWidget*)
{
    // A combo showing no choice is left unwritten by the page; nothing to refuse.
    m_strErrMsg.clear();
    return true;
}

} // namespace dunmarel
