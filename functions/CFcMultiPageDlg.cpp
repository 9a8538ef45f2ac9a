#include "functions/CFcMultiPageDlg.h"

#include "functions/CFcColumnDataList.h"
#include "functions/CFcDetailDlg.h"
#include "functions/FcDialogIds.h"
#include "functions/IFcPageHost.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace kesmond {

void CFcMultiPageDlg::BuildControls()
{
    CFcBasePageDlg::BuildControls();
    auto* form = qobject_cast<QFormLayout*>(layout());
    auto* label = new QLabel(QStringLiteral("CRDC_FC_LABEL_OTHERPROP"), this);
    SetControlId(label, 23031);
    form->addRow(label);
    m_pPropertyList = new QTreeWidget(this);
    SetControlId(m_pPropertyList, IDC_FC_PROPERTIES);
    m_pPropertyList->setRootIsDecorated(false);
    m_pPropertyList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pPropertyList->header()->setSectionsClickable(false);
    m_pPropertyList->setColumnCount(2);
    form->addRow(m_pPropertyList);
    auto* change = new QPushButton(QStringLiteral("CRDC_FC_CHAGE_VALUE"), this);
    SetControlId(change, IDC_FC_CHANGE_VALUE);
    change->setAutoDefault(false);
    form->addRow(QString(), change);
    connect(change, &QPushButton::clicked, this, &CFcMultiPageDlg::ChangeValue);
    connect(m_pPropertyList, &QTreeWidget::itemDoubleClicked, this, &CFcMultiPageDlg::ChangeValue);
}

void CFcMultiPageDlg::OnInitPage()
{
    m_pPropertyList->setHeaderLabels({GetLangString(QStringLiteral("CRDS_FC_FUNC_CLMN_NAME")),
                                      GetLangString(QStringLiteral("CRDS_FC_FUNC_CLMN_VALUE"))});
    const int width = m_pPropertyList->width();
    const int f = width < 388 ? 1000 : width * 1000 / 387;
    m_pPropertyList->setColumnWidth(0, 160 * f / 1000);
    m_pPropertyList->setColumnWidth(1, 192 * f / 1000);
    if (auto* combo = qobject_cast<QComboBox*>(FindControlById(this, IDC_FC_FUNCTION)))
        connect(combo, &QComboBox::activated, this, &CFcMultiPageDlg::OnFunctionChanged);
}

bool CFcMultiPageDlg::ShowData()
{
    if (!CFcBasePageDlg::ShowData())
        return false;
    if (m_pTabDlg)
        m_pTabDlg->SetFunctionOverride(CurrentFunctionCode());
    if (!LoadProperties())
        return false;
    FillList();
    return true;
}

bool CFcMultiPageDlg::LoadProperties()
{
    m_strFunctionCode = CurrentFunctionCode();
    CSQliteDB* db = m_pDataManager ? m_pDataManager->m_pSQliteDB : nullptr;
    if (m_strFunctionCode.isEmpty() || !db)
        return false;
    // Stored values only while the function is the one the page started with.
    const bool withStored = !m_pTabDlg || m_strFunctionCode == m_pTabDlg->FunctionOverride();
    int err = 0;
    return LoadFunctionProperties(*db, m_strFunctionCode, KeyCode(), withStored, m_properties, err);
}

QString CFcMultiPageDlg::DisplayText(const FcProperty& property)
{
    const QString kind = property.Kind();
    if (kind == QLatin1String("10")) {
        QList<QStringList> choices;
        int err = 0;
        if (List() &&
            List()->ReadFunctionChoices(err, choices, m_strFunctionCode, property.id,
                                        property.value) &&
            !choices.isEmpty())
            return choices.first().value(1);
        return property.value;
    }
    if (kind == QLatin1String("03"))
        return DateDisplayText(property.value);
    if (kind == QLatin1String("04"))
        return TimeDisplayText(property.value);
    return property.value;
}

void CFcMultiPageDlg::FillList()
{
    m_pPropertyList->clear();
    for (const FcProperty& property : std::as_const(m_properties))
        new QTreeWidgetItem(m_pPropertyList, {property.title, DisplayText(property)});
    if (m_pPropertyList->topLevelItemCount() > 0)
        m_pPropertyList->setCurrentItem(m_pPropertyList->topLevelItem(0));
}

void CFcMultiPageDlg::CloseEditor()
{
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                       platform::MessageIcon::Error);
    if (m_pTabDlg)
        m_pTabDlg->PostCancel();
}

void CFcMultiPageDlg::OnFunctionChanged()
{
    if (!LoadProperties()) {
        CloseEditor();
        return;
    }
    FillList();
}

void CFcMultiPageDlg::ChangeValue()
{
    QTreeWidgetItem* item = m_pPropertyList->currentItem();
    const int row = item ? m_pPropertyList->indexOfTopLevelItem(item) : -1;
    if (row < 0 || row >= m_properties.size())
        return;
    FcProperty& property = m_properties[row];
    QList<QStringList> choices;
    if (property.Kind() == QLatin1String("10")) {
        int err = 0;
        if (!List() || !List()->ReadFunctionChoices(err, choices, m_strFunctionCode, property.id))
            return;
    }
    CFcDetailDlg dialog(this, DetailTemplateOfKind(property.Kind()));
    dialog.SetValue(property.IntegerDigits() + property.DecimalDigits(), property.DecimalDigits(),
                    property.value);
    dialog.SetTitle(property.title);
    dialog.SetChoices(choices);
    if (dialog.DoModal() != platform::IDOK)
        return;
    property.value = dialog.GetValue();
    item->setText(1, DisplayText(property));
}

bool CFcMultiPageDlg::SaveData()
{
    return SaveInTransaction([this](int& err) {
        QStringList row;
        const QString key = KeyCode();
        if (!BuildRow(row, false, err) || !SaveRow(row, err) || !List()->DeleteSetValues(err, key))
            return false;
        CSQliteSQL writer(*m_pDataManager->m_pSQliteDB, QStringLiteral("CSB003"));
        err = writer.SetSQLForWrite({QStringLiteral("FUNCKEYCODE"), QStringLiteral("FUNCSETCODE")},
                                    {QStringLiteral("VALUE"), QStringLiteral("CREATEDATETIME"),
                                     QStringLiteral("UPDATEDATETIME"), QStringLiteral("REMARKS")},
                                    {});
        const QString now = GetTimestampOfNow();
        for (const FcProperty& property : std::as_const(m_properties)) {
            // An emptied value is no row.
            if (err == 0 && !property.value.isEmpty())
                err = writer.ExecWrite({key, property.code},
                                       {property.value, property.created, now, QString()}, {},
                                       SQLWRITE_INSERT);
        }
        return err == 0;
    });
}

} // namespace kesmond
