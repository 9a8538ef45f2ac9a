#include "functions/keylayout/CButtonProperty.h"

namespace kesmond {

bool CButtonProperty::IsFunctionButton() const
{
    return m_strControlType == QLatin1String("FunctionButton");
}

bool CButtonProperty::IsItemButton() const
{
    return m_strControlType == QLatin1String("ItemButton");
}

bool CButtonProperty::IsItemSection() const
{
    return m_strControlType == QLatin1String("ItemSection");
}

bool CButtonProperty::IsPage() const
{
    return m_strControlType == QLatin1String("ItemSheet");
}

void CButtonProperty::MakeFunctionButton()
{
    m_strControlType = QStringLiteral("FunctionButton");
    m_strCode = QStringLiteral("0");
    m_strLabel.clear();
    m_strDispName.clear();
    m_strPriceText.clear();
    m_nImageFlag = 1;
    m_pItemImage = nullptr;
}

void CButtonProperty::MakeItemButton()
{
    m_strControlType = QStringLiteral("ItemButton");
    m_strCode = QStringLiteral("0");
    m_strLabel.clear();
    m_strDispName.clear();
    m_strPriceText.clear();
    m_pItemImage = nullptr;
}

QString CButtonProperty::GetLabelText() const
{
    return m_strLabel.isEmpty() ? m_strDispName : m_strLabel;
}

} // namespace kesmond
