#pragma once

#include "bases/CPageDlg.h"

#include "shared/data/CBlobDataMgr.h"
#include "shared/data/CStampImageMgr.h"

#include <QImage>

class QAbstractButton;
class CMessageEdit;
class QComboBox;

namespace dunmarel {

class CReceipt80ListBox;
struct StampPageIds;

// The receipt messages of one paper width (58 mm on page 3019, 80 mm on
// 3022) beside a preview of the receipt. The messages are rows of "CSB007";
// the stamp switches and the tax lines live in the receipt's print form in
// "CSM012", written only when the user changed them.
class CPageDlg_Stamp : public CPageDlg
{
    Q_OBJECT

public:
    CPageDlg_Stamp();
    ~CPageDlg_Stamp() override;

    bool Create(unsigned pageId, QWidget* parent) override;
    bool SaveData(int& err) override;

    bool Is58mm() const { return m_b58mm; }
    CReceipt80ListBox* Preview() const { return m_pPreview; }

private:
    void LoadPictures();
    void ReadPrintForm();
    void ConnectControls();
    void RewrapBlock(int block);
    CMessageEdit* Message(int block) const;
    QAbstractButton* Radio(unsigned id) const;

    const StampPageIds* m_pIds = nullptr;
    bool m_b58mm = true;
    CStampImageMgr m_stampImageMgr;
    CBlobDataMgr m_blobDataMgr;
    QImage m_topPicture;
    QImage m_bottomPicture;
    CReceipt80ListBox* m_pPreview = nullptr;
    QComboBox* m_pTaxPrint = nullptr;
    // The switches as read; false when the form could not be read.
    bool m_bFormRead = false;
    int m_nReadTaxItem = 0;
    int m_nReadTopOff = 0;
    int m_nReadBottomOff = 0;
};

} // namespace dunmarel
