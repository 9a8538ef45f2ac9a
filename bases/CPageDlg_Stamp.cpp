#include "bases/CPageDlg_Stamp.h"

#include "goods/base/CMessageEdit.h"
#include "bases/CReceipt80ListBox.h"
#include "bases/RewrapMessage.h"
#include "bases/StampPageLayout.h"
#include "bases/StampPicture.h"
#include "bases/TaxPrintContents.h"

#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include <QAbstractButton>
#include <QComboBox>

namespace dunmarel {

namespace {

constexpr int kStampPlaceholder = 139;
const QString kTopStamp = QStringLiteral("000001");
const QString kBottomStamp = QStringLiteral("000002");

} // namespace

CPageDlg_Stamp::CPageDlg_Stamp() = default;

CPageDlg_Stamp::~CPageDlg_Stamp() = default;

bool CPageDlg_Stamp::Create(unsigned pageId, QWidget* parent)
{
    if (!CPageDlg::Create(pageId, parent))
        return false;
    // The 80 mm page is the one with the 80 mm tax combo.
    m_b58mm = !FindControlById(this, StampPageIdsOf(false).taxPrint);
    m_pIds = &StampPageIdsOf(m_b58mm);
    m_pPreview = qobject_cast<CReceipt80ListBox*>(FindControlById(this, m_pIds->preview));
    m_pTaxPrint = qobject_cast<QComboBox*>(FindControlById(this, m_pIds->taxPrint));
    if (!m_pPreview || !m_pTaxPrint)
        return false;
    CSQliteDB* db = DataManager()->m_pSQliteDB;
    m_stampImageMgr.SetSQLitDB(db);
    m_blobDataMgr.SetSQLitDB(db);
    m_pPreview->SetPaper(m_b58mm);
    LoadPictures();
    ReadPrintForm();
    ConnectControls();
    for (int block = 0; block < ReceiptPreviewInput::BLOCK_COUNT; ++block)
        RewrapBlock(block);
    m_pPreview->Refresh();
    return true;
}

void CPageDlg_Stamp::LoadPictures()
{
    m_topPicture = LoadStampPicture(m_stampImageMgr, kTopStamp, kStampPlaceholder);
    m_bottomPicture = LoadStampPicture(m_stampImageMgr, kBottomStamp, kStampPlaceholder);
    m_pPreview->SetTopImage(m_topPicture);
    m_pPreview->SetBottomImage(m_bottomPicture);
}

void CPageDlg_Stamp::ReadPrintForm()
{
    ReceiptPreviewInput& input = m_pPreview->Input();
    int newline[4] = {};
    int doubleSize[4] = {};
    TextAlign_Tag align[4] = {TEXTALIGN_CENTER, TEXTALIGN_CENTER, TEXTALIGN_CENTER,
                              TEXTALIGN_CENTER};
    int tatax = 0;
    int tax = 0;
    int topOff = 0;
    int bottomOff = 0;
    if (m_b58mm) {
        m_blobDataMgr.ReadPrtFormMessage58Value(newline[0], doubleSize[0], align[0], newline[1],
                                                doubleSize[1], align[1], newline[2], doubleSize[2],
                                                align[2], newline[3], doubleSize[3], align[3]);
        m_bFormRead = m_blobDataMgr.ReadPrtForm58Value(tatax, tax, topOff, bottomOff);
    } else {
        m_blobDataMgr.ReadPrtFormMessage80Value(newline[0], doubleSize[0], align[0], newline[1],
                                                doubleSize[1], align[1], newline[2], doubleSize[2],
                                                align[2], newline[3], doubleSize[3], align[3]);
        m_bFormRead = m_blobDataMgr.ReadPrtForm80Value(tatax, tax, topOff, bottomOff);
    }
    if (!m_bFormRead)
        tatax = tax = topOff = bottomOff = 0;
    for (int block = 0; block < ReceiptPreviewInput::BLOCK_COUNT; ++block)
        input.attrs[block] = {newline[block], doubleSize[block], int(align[block])};

    m_nReadTaxItem = TaxPrintItemOf(tatax, tax);
    m_nReadTopOff = topOff;
    m_nReadBottomOff = bottomOff;
    m_pTaxPrint->clear();
    for (const char* key : {"CRDS_BS_TAXPRINTCONTENS_OFF", "CRDS_BS_TAXPRINTCONTENS_TATAX",
                            "CRDS_BS_TAXPRINTCONTENS_TAX"})
        m_pTaxPrint->addItem(GetLangString(QLatin1String(key)));
    m_pTaxPrint->setCurrentIndex(m_nReadTaxItem);
    Radio(topOff == 1 ? m_pIds->topOff : m_pIds->topOn)->setChecked(true);
    Radio(bottomOff == 1 ? m_pIds->bottomOff : m_pIds->bottomOn)->setChecked(true);
    input.taxContents = m_nReadTaxItem;
    input.topImageOn = topOff != 1;
    input.bottomImageOn = bottomOff != 1;
    // A form that cannot be read cannot take the choices either.
    m_pTaxPrint->setEnabled(m_bFormRead);
    for (unsigned id : {m_pIds->topOn, m_pIds->topOff, m_pIds->bottomOn, m_pIds->bottomOff})
        Radio(id)->setEnabled(m_bFormRead);
}

void CPageDlg_Stamp::ConnectControls()
{
    ReceiptPreviewInput& input = m_pPreview->Input();
    const auto stamp = [this](unsigned id, bool& flag, bool on) {
        connect(Radio(id), &QAbstractButton::clicked, this, [this, &flag, on] {
            flag = on;
            m_pPreview->Refresh();
        });
    };
    stamp(m_pIds->topOn, input.topImageOn, true);
    stamp(m_pIds->topOff, input.topImageOn, false);
    stamp(m_pIds->bottomOn, input.bottomImageOn, true);
    stamp(m_pIds->bottomOff, input.bottomImageOn, false);
    connect(m_pTaxPrint, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_pPreview->Input().taxContents = qMax(0, index);
        m_pPreview->Refresh();
    });
    for (int block = 0; block < ReceiptPreviewInput::BLOCK_COUNT; ++block)
        if (CMessageEdit* edit = Message(block))
            connect(edit, &CMessageEdit::textChanged, this, [this, block] {
                RewrapBlock(block);
                m_pPreview->Refresh();
            });
}

void CPageDlg_Stamp::RewrapBlock(int block)
{
    ReceiptPreviewInput& input = m_pPreview->Input();
    const CMessageEdit* edit = Message(block);
    const ReceiptBlockAttr& attr = input.attrs[block];
    input.messages[block] =
        edit ? RewrapMessage(edit->StoredText(), m_pPreview->Canvas().Geometry().columns,
                             attr.newline, attr.doubleWidth)
             : QStringList();
}

CMessageEdit* CPageDlg_Stamp::Message(int block) const
{
    return qobject_cast<CMessageEdit*>(
        FindControlById(const_cast<CPageDlg_Stamp*>(this), m_pIds->messages[block]));
}

QAbstractButton* CPageDlg_Stamp::Radio(unsigned id) const
{
    return qobject_cast<QAbstractButton*>(FindControlById(const_cast<CPageDlg_Stamp*>(this), id));
}

bool CPageDlg_Stamp::SaveData(int& err)
{
    if (!CPageDlg::SaveData(err))
        return false;
    if (!m_bFormRead)
        return true;
    // Only what the user changed is written: the rest of the form stays byte for byte.
    int tatax = -1;
    int tax = -1;
    if (m_pTaxPrint->currentIndex() != m_nReadTaxItem)
        TaxPrintFlagsOf(m_pTaxPrint->currentIndex(), tatax, tax);
    const int topOff = Radio(m_pIds->topOff)->isChecked() ? 1 : 0;
    const int bottomOff = Radio(m_pIds->bottomOff)->isChecked() ? 1 : 0;
    const int logo1 = topOff != m_nReadTopOff ? topOff : -1;
    const int logo2 = bottomOff != m_nReadBottomOff ? bottomOff : -1;
    if (tatax < 0 && logo1 < 0 && logo2 < 0)
        return true;
    return m_b58mm ? m_blobDataMgr.WritePrtForm58Value(tatax, tax, logo1, logo2)
                   : m_blobDataMgr.WritePrtForm80Value(tatax, tax, logo1, logo2);
}

} // namespace dunmarel
