#pragma once

#include "functions/CFcBasePageDlg.h"
#include "functions/FcProperty.h"

#include <QList>

class QTreeWidget;

namespace kesmond {

// The property page: the key's code, function and name, and the properties
// of its function (table CSM015) with the key's values, each changed in a
// value-entry dialog of its kind. Saved as the key's row and one settings
// row per property with a value.
class CFcMultiPageDlg : public CFcBasePageDlg
{
    Q_OBJECT

public:
    bool ShowData() override;
    bool SaveData() override;

    const QList<FcProperty>& Properties() const { return m_properties; }
    QTreeWidget* PropertyList() const { return m_pPropertyList; }
    // The list text of a property's value.
    QString DisplayText(const FcProperty& property);
    // Opens the value-entry dialog of the selected property.
    void ChangeValue();

protected:
    void BuildControls() override;
    void OnInitPage() override;

private:
    bool LoadProperties();
    void FillList();
    void OnFunctionChanged();
    void CloseEditor();

    QTreeWidget* m_pPropertyList = nullptr;
    QList<FcProperty> m_properties;
    QString m_strFunctionCode;
};

} // namespace kesmond
