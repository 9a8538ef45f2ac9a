#pragma once

#include "functions/CFcMainDlg.h"

class CDataManager;
class CMessageEdit;
class QLabel;

namespace kesmond {

// Changes one character string: the title of its code above a multi-line
// edit of its text. OK asks, then saves the record; a failed save keeps the
// dialog open.
class CFcCharDetailDlg : public CFcMainDlg
{
    Q_OBJECT

public:
    CFcCharDetailDlg(CDataManager* dataManager, int recordNo, QWidget* parent, uint templateId);
    ~CFcCharDetailDlg() override;

    void SetCaption(const QString& caption) { m_strCaption = caption; }
    void SetTitle(const QString& title) { m_strTitle = title; }
    void SetText(const QString& text) { m_strText = text; }
    // The text as stored (after IDOK: as saved).
    const QString& Text() const { return m_strText; }
    CMessageEdit* Edit() const { return m_pEdit; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CDataManager* m_pDataManager;
    int m_nRecordNo;
    QString m_strCaption;
    QString m_strTitle;
    QString m_strText;
    QLabel* m_pTitle;
    CMessageEdit* m_pEdit;
};

} // namespace kesmond
