#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QFont>
#include <QList>
#include <QStringList>

namespace kesmond {

// The value-entry dialog of one function property, in the template of the
// property's kind: text (3020), date (3021), time (3022), choice (3023),
// number (3024) or amount (3025).
class CFcDetailDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint {
        IDC_TITLE = 23132,
        IDC_DATE = 23134,
        IDC_TIME = 23136,
        IDC_CHOICES = 23137,
        IDC_NUMBER = 23140,
        IDC_TEXT = 23141,
        IDC_AMOUNT = 23142,
    };

    CFcDetailDlg(QWidget* parent, uint templateId);
    ~CFcDetailDlg() override;

    void SetValue(int totalDigits, int decimalDigits, const QString& value);
    void SetTitle(const QString& title) { m_strTitle = title; }
    // Rows {value, name}.
    void SetChoices(const QList<QStringList>& choices) { m_choices = choices; }
    QString GetValue() const { return m_strValue; }
    uint TemplateId() const { return m_nTemplateId; }

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;

private:
    uint m_nTemplateId;
    QFont m_fixedFont;
    int m_nTotalDigits = 2;
    int m_nDecimalDigits = 0;
    QString m_strValue = QStringLiteral("0");
    QString m_strTitle;
    QList<QStringList> m_choices;
};

} // namespace kesmond
