#include "goods/CColumnDataFloatingPrice.h"

#include "shared/data/CSqLiteItemDataUtility.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/WindowText.h"

#include <QWidget>

namespace brelkin {

CColumnDataFloatingPrice::CColumnDataFloatingPrice(const QString& column, const QString& labelKey,
                                                   const QString& floatingItemCode,
                                                   const QString& ctrlType, uint ctrlId,
                                                   uint labelCtrlId)
    : CColumnDataPriceEdit(column, labelKey, ctrlId, labelCtrlId), m_strCtrlType(ctrlType),
      m_strFloatingItemCode(floatingItemCode)
{
    m_nOverrideSize = 13;
}

QString CColumnDataFloatingPrice::PriceCode() const
{
    const QString suffix = m_strPriceColumn.mid(9);
    return suffix.isEmpty() ? QStringLiteral("01")
                            : QStringLiteral("%1").arg(suffix.toInt(), 2, 10, QLatin1Char('0'));
}

QString CColumnDataFloatingPrice::LookUp(const QString& code)
{
    if (!m_pSQliteDB)
        return QString();
    const QString priceCode = PriceCode();
    const auto equals = [](const char* column, const QString& value) {
        return QStringLiteral("%1 = '%2'")
            .arg(CSqLiteUtility::QuoteSQLName(QLatin1String(column)),
                 CSqLiteUtility::EscapeSQLValue(value));
    };
    const QString where = equals("ITEMCODE", m_strFloatingItemCode) + QStringLiteral(" AND ") +
                          equals("CTRLTYPE", m_strCtrlType) + QStringLiteral(" AND ") +
                          equals("CTRLCODE", code) + QStringLiteral(" AND ") +
                          equals("PRICECODE", priceCode);
    QStringList values;
    int err = 0;
    const int found = CSqLiteUtility::GetStringArray(*m_pSQliteDB, QStringLiteral("CSA007"),
                                                     {QStringLiteral("FLOATINGPRICE")}, where,
                                                     QString(), values, err);
    if (found < 0)
        return QString(); // a failed read shows an empty cell
    const QString price = values.value(0);
    if (!price.isEmpty()) {
        m_nUnitPriceFallback = 0;
        return price;
    }
    m_nUnitPriceFallback = 1;
    return QStringLiteral("*") + CSqLiteItemDataUtility::GetUnitPrice(
                                     m_pSQliteDB, m_strFloatingItemCode, m_strPriceColumn);
}

QString CColumnDataFloatingPrice::GetDescript(QString value)
{
    m_strLastDescript = LookUp(value);
    return m_strLastDescript;
}

void CColumnDataFloatingPrice::GetPreEditValue(QWidget* control, QString& value)
{
    value = LookUp(GetWindowText(control));
}

void CColumnDataFloatingPrice::GetControlValue(QWidget* control, QString& value)
{
    if (control)
        value = GetWindowText(control);
}

} // namespace brelkin
