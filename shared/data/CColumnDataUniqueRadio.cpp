#include "shared/data/CColumnDataUniqueRadio.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/NumberOfText.h"
#include "shared/lang/CSarvikApp.h"

#include <QAbstractButton>
#include <QWidget>

CColumnDataUniqueRadio::CColumnDataUniqueRadio(const QString& column, const QString& labelKey,
                                               uint ctrlId, uint labelCtrlId,
                                               const char* const* labelKeys)
    : CColumnData(column, labelKey, ctrlId, labelCtrlId), m_ppLabelKeys(labelKeys)
{
    while (m_ppLabelKeys && m_ppLabelKeys[m_nRadioCount])
        ++m_nRadioCount;
}

CColumnDataUniqueRadio::~CColumnDataUniqueRadio() = default;

QString CColumnDataUniqueRadio::GetDescript(QString value)
{
    if (m_nRadioCount == 0)
        return value;
    if (!m_pRadioTexts) {
        m_pRadioTexts = std::make_unique<QStringList>();
        for (int i = 0; i < m_nRadioCount; ++i)
            *m_pRadioTexts << LoadCommonString(QString::fromUtf8(m_ppLabelKeys[i]));
    }
    const qint64 index = NumberOfText(value);
    // A stored index without a button shows as it is stored.
    if (index < 0 || index >= m_pRadioTexts->size())
        return value;
    return m_pRadioTexts->at(index);
}

namespace {

QList<QAbstractButton*> radioGroup(QWidget* control, uint id, int count)
{
    QWidget* parent = control ? control->parentWidget() : nullptr;
    auto first = qobject_cast<QAbstractButton*>(FindControlById(parent, id));
    return RadioGroupFrom(first, count);
}

} // namespace

void CColumnDataUniqueRadio::SetControlValue(QWidget* control, const QString& value)
{
    const qint64 index = NumberOfText(value);
    const QList<QAbstractButton*> buttons = radioGroup(control, m_nCtrlID, m_nRadioCount);
    for (qsizetype i = 0; i < buttons.size(); ++i)
        if (i != index)
            SetRadioChecked(buttons[i], false);
    if (index >= 0 && index < buttons.size())
        SetRadioChecked(buttons[index], true);
}

void CColumnDataUniqueRadio::GetControlValue(QWidget* control, QString& value)
{
    const QList<QAbstractButton*> buttons = radioGroup(control, m_nCtrlID, m_nRadioCount);
    qsizetype index = 0;
    while (index < buttons.size() && !buttons[index]->isChecked())
        ++index;
    value = QString::number(index < buttons.size() ? int(index) : m_nRadioCount);
}

bool CColumnDataUniqueRadio::CheckControlValue(QWidget*)
{
    m_strErrMsg.clear();
    return true;
}
