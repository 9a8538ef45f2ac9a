#pragma once

#include "shared/dialogs/CSarvikDialog.h"

class QRadioButton;

namespace brelkin {

// The popup that edits a radio-button column in place: the up to three
// choices of the page's radio group as its own radios under the list cell.
// Confirming writes the choice back to the page's radios; either way it tells
// the list window (closed: wParam 0 after OK, 1 after cancel; lParam the
// closing key in the low word and, after OK, 1 in the high word when Shift
// was held).
class CSelectRadioDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint { IDC_RADIO1 = 14057, IDC_RADIO2 = 14058, IDC_RADIO3 = 14059 };
    enum ClosingKey : int { KeyNone = 0, KeyTab = 0x09, KeyReturn = 0x0D };

    explicit CSelectRadioDlg(QWidget* owner = nullptr);

    // Takes the choices from the page's group that starts at firstRadio.
    void Setup(QWidget* listWindow, QWidget* page, QWidget* firstRadio, const QString& title);

signals:
    // "SelectRadioDlgClose": the list window connects it queued, so it acts
    // after the popup has gone.
    void SelectRadioDlgClose(int wParam, int lParam);

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;
    void OnCancel() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QWidget*> PageGroup() const;

    QString m_strTexts[3];
    int m_nStates[3] = {0, 0, 0};
    QWidget* m_pListWindow = nullptr;
    QWidget* m_pPage = nullptr;
    QWidget* m_pFirstRadio = nullptr;
    QString m_strTitle;
    int m_nClosingKey = KeyNone;
    QRadioButton* m_pRadios[3] = {};
};

} // namespace brelkin
