#pragma once

#include "goods/CColumnDataDallasKey.h"
#include "goods/CColumnDataFloatingPrice.h"
#include "goods/CColumnDataNum.h"
#include "goods/CColumnDataTAXCombo.h"
#include "goods/GoodsStaticItems.h"

#include "shared/data/CColumnDataDBComboDef.h"
#include "shared/data/CColumnDataDef.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CColumnDataScanCode.h"
#include "shared/data/CColumnDataStaticComboDef.h"
#include "shared/data/CColumnDataUniqueRadioDef.h"
#include "shared/data/CColumnDataYesNoRadio.h"

#include <QString>

#include <typeinfo>

// A descriptor's exact class and construction arguments as one short text,
// so that the column tables can be compared row by row.
inline QString StaticItemsName(const tagCLMSTRITEM* items)
{
    using namespace brelkin;
    const std::pair<const tagCLMSTRITEM*, const char*> names[] = {
        {kUsableFlagItems, "usable"},       {kSetMainItemItems, "setmain"},
        {kItemTypeItems, "itemtype"},       {kOrderNameItems, "order"},
        {kOpenPluItems, "openplu"},         {kYesNoItemsYesZero, "yes0"},
        {kYesNoItemsNoZero, "no0"},         {kScaleItems, "scale"},
        {kSelectiveItemsCleaning, "selcl"}, {kSetTypeItems3, "settype3"},
        {kSetTypeItems6, "settype6"},       {kMixMatchTypeItems, "mmtype"},
        {kConditionItems, "condition"},     {kDiscountTypeItems, "discount"},
        {kTargetItemTypeItems, "target"},
    };
    for (const auto& [table, name] : names)
        if (table == items)
            return QLatin1String(name);
    return QStringLiteral("?");
}

inline QString RadioKeysName(const char* const* keys)
{
    if (keys == brelkin::kItemTypeRadioKeys)
        return QStringLiteral("itemtype");
    if (keys == brelkin::kClerkUsableKeys)
        return QStringLiteral("clerk");
    return QStringLiteral("?");
}

inline QString CandidateSource(const CComboCandidates* c)
{
    return QStringLiteral("%1(%2,%3)%4")
        .arg(c->m_strCandTable, c->m_strCodeColumn, c->m_strNameColumn,
             c->m_bAddBlank ? QStringLiteral(" blank") : QString());
}

inline QString Describe(CColumnData* c)
{
    using namespace brelkin;
    const std::type_info& type = typeid(*c);
    const QString def = QStringLiteral(" =") + c->m_strDefaultValue;
    if (type == typeid(CColumnData))
        return QStringLiteral("Data");
    if (type == typeid(CColumnDataDef))
        return QStringLiteral("Def") + def;
    if (type == typeid(CColumnDataPriceEdit))
        return QStringLiteral("Price");
    if (type == typeid(CColumnDataNum)) {
        if (c->m_nOverrideSize == 0 && c->m_nEditLimit == 0)
            return QStringLiteral("Num");
        return QStringLiteral("Num(%1,%2,%3)")
            .arg(c->m_nEditLimit)
            .arg(c->m_nOverrideSize)
            .arg(c->m_nOverrideDecimals);
    }
    if (type == typeid(CColumnDataScanCode))
        return QStringLiteral("ScanCode ") + static_cast<CColumnDataScanCode*>(c)->m_strTable;
    if (type == typeid(CColumnDataDallasKey))
        return QStringLiteral("DallasKey");
    if (type == typeid(CColumnDataTAXCombo))
        return QStringLiteral("Tax ") + CandidateSource(static_cast<CColumnDataTAXCombo*>(c));
    if (type == typeid(CColumnDataDBCombo))
        return QStringLiteral("DBCombo ") + CandidateSource(static_cast<CColumnDataDBCombo*>(c));
    if (type == typeid(CColumnDataDBComboDef))
        return QStringLiteral("DBComboDef ") +
               CandidateSource(static_cast<CColumnDataDBComboDef*>(c)) + def;
    if (type == typeid(CColumnDataItemSelectBtn))
        return QStringLiteral("ItemBtn ") +
               CandidateSource(static_cast<CColumnDataItemSelectBtn*>(c));
    if (type == typeid(CColumnDataStaticCombo) || type == typeid(CColumnDataStaticComboDef)) {
        auto* combo = static_cast<CColumnDataStaticCombo*>(c);
        const bool withDefault = type == typeid(CColumnDataStaticComboDef);
        return QStringLiteral("%1 %2/%3%4%5")
            .arg(withDefault ? QStringLiteral("StaticDef") : QStringLiteral("Static"),
                 StaticItemsName(combo->m_pItems))
            .arg(combo->m_nZeroPad)
            .arg(combo->m_bAddBlank ? QStringLiteral(" blank") : QString(),
                 withDefault ? def : QString());
    }
    if (type == typeid(CColumnDataYesNoRadio))
        return QStringLiteral("YesNo %1").arg(static_cast<CColumnDataYesNoRadio*>(c)->YesValue());
    if (type == typeid(CColumnDataUniqueRadio))
        return QStringLiteral("Radio ") +
               RadioKeysName(static_cast<CColumnDataUniqueRadio*>(c)->m_ppLabelKeys);
    if (type == typeid(CColumnDataUniqueRadioDef))
        return QStringLiteral("RadioDef ") +
               RadioKeysName(static_cast<CColumnDataUniqueRadio*>(c)->m_ppLabelKeys) + def;
    return QStringLiteral("?");
}
