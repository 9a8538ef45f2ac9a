#include "bases/CColumnApartDataCheck.h"

#include "bases/CColumnApartData.h"

#include <QCheckBox>

namespace dunmarel {

CColumnApartDataCheck::CColumnApartDataCheck(const QString& table, const QString& column,
                                             const QString& keyColumn, const QString& keyValue,
                                             uint ctrlId, uint labelCtrlId, int count)
    : CColumnData(column, QString(), ctrlId, labelCtrlId), m_nCount(count)
{
    CColumnApartData::BindOwnRow(*this, table, keyColumn, keyValue);
}

CColumnApartDataCheck::~CColumnApartDataCheck() = default;

QList<QAbstractButton*> CColumnApartDataCheck::Boxes(QWidget* control) const
{
    QList<QAbstractButton*> boxes;
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return boxes;
    bool started = false;
    for (QObject* child : parent->children()) {
        auto* box = qobject_cast<QCheckBox*>(child);
        if (!box)
            continue;
        started = started || box == control;
        if (started && boxes.size() < m_nCount)
            boxes << box;
    }
    return boxes;
}

void CColumnApartDataCheck::SetControlValue(QWidget* control, const QString& value)
{
    m_strShown = value;
    const QList<QAbstractButton*> boxes = Boxes(control);
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(i < value.size() && value[i] == u'1');
}

void CColumnApartDataCheck::GetControlValue(QWidget* control, QString& value)
{
    value.clear();
    for (QAbstractButton* box : Boxes(control))
        value += box->isChecked() ? u'1' : u'0';
    // The register keeps more flags than the page shows: they stay as stored.
    if (m_strShown.size() > value.size())
        value += m_strShown.mid(value.size());
}

} // namespace dunmarel
