#pragma once

#include "bases/CPageDlg.h"
#include "bases/FormalReceiptContent.h"

#include "shared/data/CStampImageMgr.h"

#include <QImage>

class QAbstractButton;
class QComboBox;

namespace dunmarel {

class CRyoushuuListBox;
class CYokoRyoushuListBox;

// The formal receipt of the easy mode: its form, texts and choices beside a
// preview of the chosen form. The form is a setting of every function key
// that prints a formal receipt, so that all of them print the same form.
class CPageDlg_JPRyoushuuSTP : public CPageDlg
{
    Q_OBJECT

public:
    CPageDlg_JPRyoushuuSTP();
    ~CPageDlg_JPRyoushuuSTP() override;

    bool Create(unsigned pageId, QWidget* parent) override;
    bool SaveData(int& err) override;

    QComboBox* TypeCombo() const { return m_pType; }
    const FormalReceiptInput& Input() const { return m_input; }

private:
    void LoadPictures();
    void FillTypeCombo();
    void ApplyForm();
    void ConnectControls();
    void RefreshVertical();
    void RefreshAll();
    QAbstractButton* Radio(unsigned id) const;
    QString EditText(unsigned id) const;

    CStampImageMgr m_stampImageMgr;
    FormalReceiptInput m_input;
    QImage m_stamp;
    QImage m_pictures[HorizontalFormalReceipt::PICTURE_COUNT];
    QComboBox* m_pType = nullptr;
    CRyoushuuListBox* m_pPreview58 = nullptr;
    CRyoushuuListBox* m_pPreview80 = nullptr;
    CYokoRyoushuListBox* m_pPreviewHorz = nullptr;
};

} // namespace dunmarel
