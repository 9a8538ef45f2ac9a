#include "goods/CSetGrpPageDlg.h"

#include "goods/PropertyText.h"

#include "platform/MessageBox.h"
#include "shared/controls/FindControlById.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "shared/lang/CProgramLang.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QTreeWidget>

namespace brelkin {

namespace {

const QString kProperty = QStringLiteral("PROPERTY");
enum DefinitionValue { SETCODEID, SETCODE, TITLE, SETVALUETYPE, DEFAULTSET };

} // namespace

CPageDlg* NewPageDlg(unsigned pageId)
{
    if (pageId == 3009 || pageId == 3042)
        return new CSetGrpPageDlg();
    return new CPageDlg();
}

CSetGrpPageDlg::CSetGrpPageDlg() = default;

CSetGrpPageDlg::~CSetGrpPageDlg()
{
    CSqLiteUtility::FreeStringArrayListPtr(m_definitions);
}

int CSetGrpPageDlg::PropertyKind(const QString& valueType)
{
    const QString type = valueType.left(2);
    const struct
    {
        const char* type;
        int kind;
    } kinds[] = {{"00", SubItemDlgType::DLGTYPE_NUMZERO}, {"01", SubItemDlgType::DLGTYPE_EDIT},
                 {"02", SubItemDlgType::DLGTYPE_PRICE},   {"03", SubItemDlgType::DLGTYPE_DATE},
                 {"04", SubItemDlgType::DLGTYPE_TIME},    {"10", SubItemDlgType::DLGTYPE_LIST},
                 {"14", SubItemDlgType::DLGTYPE_LIST}};
    for (const auto& k : kinds)
        if (type == QLatin1String(k.type))
            return k.kind;
    return -1;
}

int CSetGrpPageDlg::PropertyWidth() const
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    for (int i = 0; i < list->m_nColumnCount; ++i)
        if (list->m_ppColumnData[i]->m_strColumnName == kProperty)
            return list->m_ppColumnData[i]->m_nSize;
    return 0;
}

bool CSetGrpPageDlg::OwnValue(const CColumnData* column, QString& value) const
{
    // The list only rewrites the text; the record takes the text.
    if (!m_pProperties || column->m_strColumnName != kProperty)
        return false;
    value = m_strProperty;
    return true;
}

void CSetGrpPageDlg::SetupPropertyList()
{
    m_pProperties = NewNameValueList(IDC_PROPERTIES);
    const int w = m_pProperties->width();
    const int a = w < 426 ? 1000 : w * 1000 / 425;
    m_pProperties->setColumnWidth(0, a * 218 / 1000);
    m_pProperties->setColumnWidth(1, a * 168 / 1000);
    connect(m_pProperties, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        EditProperty(m_pProperties->indexOfTopLevelItem(item));
    });
    if (auto* form = qobject_cast<QFormLayout*>(layout()))
        form->addRow(m_pProperties);
}

void CSetGrpPageDlg::ReadDefinitions()
{
    CSqLiteUtility::FreeStringArrayListPtr(m_definitions);
    int err = 0;
    CSqLiteUtility::AllocStringArrayListPtr(
        *m_pDataManager->m_pSQliteDB, QStringLiteral("CSM017"),
        {QStringLiteral("SETCODEID"), QStringLiteral("SETCODE"), QStringLiteral("TITLE"),
         QStringLiteral("SETVALUETYPE"), QStringLiteral("DEFAULTSET")},
        QStringLiteral("TABLENAME='CSA001'"), QStringLiteral("SETCODEID"), m_definitions, err);
}

bool CSetGrpPageDlg::ShowData(bool firstTime)
{
    if (firstTime && !m_pProperties && (PageId() == 3009 || PageId() == 3042)) {
        SetupPropertyList();
        ReadDefinitions();
    }
    if (!CPageDlg::ShowData(firstTime))
        return false;
    if (!m_pProperties)
        return true;
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const CRecord* record = list->CachedRecord(m_nRecordNo);
    for (int i = 0; i < list->m_nColumnCount && record; ++i)
        if (list->m_ppColumnData[i]->m_strColumnName == kProperty)
            m_strProperty = record->value(i);
    m_pProperties->clear();
    const int width = PropertyWidth();
    for (const QStringList* definition : m_definitions) {
        const QString value = GetPropertyValue(m_strProperty, definition->value(SETCODE), width);
        auto* item = new QTreeWidgetItem(m_pProperties);
        item->setText(0, definition->value(TITLE));
        item->setText(1, DescribePropertyValue(*definition, value));
    }
    return true;
}

QString CSetGrpPageDlg::DescribePropertyValue(const QStringList& definition,
                                              const QString& value) const
{
    const QString type = definition.value(SETVALUETYPE).left(2);
    QStringList found;
    int err = 0;
    CSQliteDB& db = *m_pDataManager->m_pSQliteDB;
    if (type == QLatin1String("10"))
        CSqLiteUtility::GetStringArray(
            db, QStringLiteral("CSM016"), {QStringLiteral("SETNAME")},
            QStringLiteral("TABLENAME='CSA001' AND SETCODEID='%1' AND SETVALUE='%2'")
                .arg(CSqLiteUtility::EscapeSQLValue(definition.value(SETCODEID)),
                     CSqLiteUtility::EscapeSQLValue(value)),
            QString(), found, err);
    else if (type == QLatin1String("14"))
        CSqLiteUtility::GetStringArray(
            db, QStringLiteral("CSB018"), {QStringLiteral("ORDERCHARDATA")},
            QStringLiteral("ORDERCHARCODE='%1'").arg(CSqLiteUtility::EscapeSQLValue(value)),
            QString(), found, err);
    else
        return value;
    return found.value(0);
}

void CSetGrpPageDlg::EditProperty(int row)
{
    const QStringList* definition = row >= 0 ? m_definitions.GetAt(row) : nullptr;
    if (!definition)
        return;
    const int width = PropertyWidth();
    const QString setCode = definition->value(SETCODE);
    const int kind = PropertyKind(definition->value(SETVALUETYPE));
    // An unknown type, or a range outside the column, is shown only.
    if (kind < 0 || !ParsePropertySetCode(setCode, width).IsValid())
        return;
    const QString type = definition->value(SETVALUETYPE).left(2);
    const int digits = definition->value(SETVALUETYPE).mid(2, 2).toInt();
    const int decimals = definition->value(SETVALUETYPE).mid(4, 2).toInt();
    CSubItemSetDlg dialog(this, SubItemDlgType::E_DlgTypeTag(kind), 0);
    dialog.SetDlgWindowText(definition->value(TITLE));
    dialog.SetLabelText(definition->value(TITLE));
    dialog.SetValue(digits + decimals, decimals, GetPropertyValue(m_strProperty, setCode, width));
    CStringArrayPtrList choices;
    int err = 0;
    int read = 0;
    if (type == QLatin1String("10"))
        read = CSqLiteUtility::AllocStringArrayListPtr(
            *m_pDataManager->m_pSQliteDB, QStringLiteral("CSM016"),
            {QStringLiteral("SETVALUE"), QStringLiteral("SETNAME")},
            QStringLiteral("TABLENAME='CSA001' AND SETCODEID='%1'")
                .arg(CSqLiteUtility::EscapeSQLValue(definition->value(SETCODEID))),
            QStringLiteral("LISTNUMBER"), choices, err);
    else if (type == QLatin1String("14")) {
        read = CSqLiteUtility::AllocStringArrayListPtr(
            *m_pDataManager->m_pSQliteDB, QStringLiteral("CSB018"),
            {QStringLiteral("ORDERCHARCODE"), QStringLiteral("ORDERCHARDATA")}, QString(),
            QStringLiteral("ORDERCHARCODE"), choices, err);
        if (read >= 0)
            choices.AddHead(new QStringList{
                QStringLiteral("000000"), GetLangString(QStringLiteral("CRDS_PR_VALUE_NOEXIST"))});
    }
    const bool listed = kind == SubItemDlgType::DLGTYPE_LIST;
    if (read >= 0 && (!listed || dialog.SetSelectData(&choices)) &&
        dialog.DoModal() == platform::IDOK) {
        const QString value = dialog.GetValue();
        m_strProperty = SetPropertyValue(m_strProperty, setCode, value, width);
        m_pProperties->topLevelItem(row)->setText(1, DescribePropertyValue(*definition, value));
    }
    CSqLiteUtility::FreeStringArrayListPtr(choices);
}

} // namespace brelkin
