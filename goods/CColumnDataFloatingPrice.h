#pragma once

#include "shared/data/CColumnDataPriceEdit.h"

namespace brelkin {

// The floating price of one item or department (the row's code) under one
// floating-price item, kept in CSA007. Without a stored price the cell shows
// "*" and the floating item's own price of the chosen level.
class CColumnDataFloatingPrice : public CColumnDataPriceEdit
{
public:
    // The two texts come before the control ids.
    CColumnDataFloatingPrice(const QString& column, const QString& labelKey,
                             const QString& floatingItemCode, const QString& ctrlType, uint ctrlId,
                             uint labelCtrlId);

    QString GetDescript(QString value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    void GetPreEditValue(QWidget* control, QString& value) override;

    // PRICECODE of the level shown: "01" for UNITPRICE, "03" for UNITPRICE3.
    QString PriceCode() const;

    QString m_strCtrlType;         // CTRLTYPE: "01" items, "02" departments
    QString m_strFloatingItemCode; // ITEMCODE of the CSA007 rows
    QString m_strLastDescript;
    // "UNITPRICE" or "UNITPRICE2" .. "UNITPRICE10": the price level shown.
    QString m_strPriceColumn = QStringLiteral("UNITPRICE");
    int m_nUnitPriceFallback = 0; // 1: the last text is the item's price with "*"

private:
    QString LookUp(const QString& code);
};

} // namespace brelkin
