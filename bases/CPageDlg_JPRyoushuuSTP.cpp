#include "bases/CPageDlg_JPRyoushuuSTP.h"

#include "bases/CRyoushuuListBox.h"
#include "bases/CYokoRyoushuListBox.h"
#include "bases/FormalReceiptPageLayout.h"
#include "bases/StampPicture.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace dunmarel {

namespace {

using namespace FormalReceiptIds;

const QString kFunctionKeys = QStringLiteral("CSB002");
const QString kKeySettings = QStringLiteral("CSB003");
const QString kFunctionSettings = QStringLiteral("CSM014");
const QString kFuncKeyCode = QStringLiteral("FUNCKEYCODE");
const QString kFuncSetCode = QStringLiteral("FUNCSETCODE");
const QString kValue = QStringLiteral("VALUE");
const QString kTypeSetting = QStringLiteral("JPRYOUSHUU.TYPE");
const QString kFormalReceiptKeys = QStringLiteral("FUNCTIONCODE='000047'");

enum Form { FORM_HORIZONTAL, FORM_VERTICAL, FORM_BREAKDOWN };

// Every function key that prints a formal receipt; false when they cannot be read.
bool ReadFormalReceiptKeys(CSQliteDB& db, QStringList& keys, int& err)
{
    CStringArrayPtrList rows;
    const int count = CSqLiteUtility::AllocStringArrayListPtr(
        db, kFunctionKeys, {kFuncKeyCode}, kFormalReceiptKeys, kFuncKeyCode, rows, err);
    for (const QStringList* row : rows)
        if (row && !row->isEmpty())
            keys.append(row->first());
    CSqLiteUtility::FreeStringArrayListPtr(rows);
    return count >= 0;
}

QString KeySettingWhere(const QString& key)
{
    return QStringLiteral("FUNCKEYCODE='%1' AND FUNCSETCODE='%2'")
        .arg(CSqLiteUtility::EscapeSQLValue(key), kTypeSetting);
}

} // namespace

CPageDlg_JPRyoushuuSTP::CPageDlg_JPRyoushuuSTP() = default;

CPageDlg_JPRyoushuuSTP::~CPageDlg_JPRyoushuuSTP() = default;

bool CPageDlg_JPRyoushuuSTP::Create(unsigned pageId, QWidget* parent)
{
    if (!CPageDlg::Create(pageId, parent))
        return false;
    m_pType = qobject_cast<QComboBox*>(FindControlById(this, FormalReceiptIds::TypeCombo));
    m_pPreview58 = qobject_cast<CRyoushuuListBox*>(FindControlById(this, Preview58));
    m_pPreview80 = qobject_cast<CRyoushuuListBox*>(FindControlById(this, Preview80));
    m_pPreviewHorz = qobject_cast<CYokoRyoushuListBox*>(FindControlById(this, PreviewHorz));
    if (!m_pType || !m_pPreview58 || !m_pPreview80 || !m_pPreviewHorz)
        return false;
    m_stampImageMgr.SetSQLitDB(DataManager()->m_pSQliteDB);
    Radio(Paper58)->setChecked(true);
    LoadPictures();
    FillTypeCombo();

    m_pPreview58->Canvas().SetGeometry(CanvasGeometry::Paper58mm());
    m_pPreview80->Canvas().SetGeometry(CanvasGeometry::Paper80mm());
    const auto vertical = [this](bool paper58) {
        return [this, paper58](CRyoushuuCanvas& canvas) {
            FormalReceiptInput input = m_input;
            input.paper58 = paper58;
            DrawVerticalFormalReceipt(BuildVerticalFormalReceipt(input), canvas, m_stamp);
        };
    };
    m_pPreview58->SetDraw(vertical(true));
    m_pPreview80->SetDraw(vertical(false));
    m_pPreviewHorz->SetDraw([this](CYokoRyoushuCanvas& canvas) {
        DrawHorizontalFormalReceipt(BuildHorizontalFormalReceipt(m_input, true, true), canvas,
                                    m_pictures);
    });
    m_input.stampImage = m_stamp.size();
    m_input.stampOn = m_input.logo = !Radio(LogoText)->isChecked();
    m_input.titleWord = Radio(Word1)->isChecked() ? 0 : 1;
    m_input.title = EditText(Title);
    for (unsigned k = 0; k < 3; ++k)
        m_input.messages[k] = EditText(Message1 + k);
    ConnectControls();
    RefreshAll();
    ApplyForm();
    return true;
}

void CPageDlg_JPRyoushuuSTP::LoadPictures()
{
    using H = HorizontalFormalReceipt;
    m_stamp = LoadStampPicture(m_stampImageMgr, QStringLiteral("000001"), 139);
    m_pictures[H::SEAL_RIGHT] = ProgramPicture(141);
    m_pictures[H::SEAL_LEFT] = ProgramPicture(140);
    m_pictures[H::LOGO_LEFT] = LoadStampPicture(m_stampImageMgr, QStringLiteral("000003"), 143);
    m_pictures[H::LOGO_RIGHT] = LoadStampPicture(m_stampImageMgr, QStringLiteral("000004"), 142);
}

void CPageDlg_JPRyoushuuSTP::FillTypeCombo()
{
    CSQliteDB& db = *DataManager()->m_pSQliteDB;
    int err = 0;
    CStringArrayPtrList rows;
    const int count = CSqLiteUtility::AllocStringArrayListPtr(
        db, kFunctionSettings, {QStringLiteral("FUNCSETNAME"), QStringLiteral("FUNCSETVALUE")},
        QStringLiteral("FUNCTIONCODE = '000047' AND FUNCSETCODEID = '000002'"),
        QStringLiteral("LISTNUMBER"), rows, err);
    if (count >= 0)
        for (const QStringList* row : rows) {
            if (!row)
                break;
            if (row->size() >= 2)
                m_pType->addItem(row->at(0), row->at(1).trimmed().toInt());
        }
    CSqLiteUtility::FreeStringArrayListPtr(rows);
    m_pType->setCurrentIndex(-1);

    QStringList keys;
    if (!ReadFormalReceiptKeys(db, keys, err) || keys.isEmpty())
        return;
    QStringList value;
    if (CSqLiteUtility::GetStringArray(db, kKeySettings, {kValue}, KeySettingWhere(keys.first()),
                                       {}, value, err) != 1 ||
        value.isEmpty())
        return;
    m_pType->setCurrentIndex(m_pType->findData(value.first().trimmed().toInt()));
}

void CPageDlg_JPRyoushuuSTP::ApplyForm()
{
    QWidget* label = FindControlById(this, LogoLabel);
    const int form = m_pType->currentIndex();
    const auto setTexts = [&](const char* labelKey, const char* firstKey, const char* secondKey) {
        label->setProperty("text", labelKey ? GetLangString(QLatin1String(labelKey)) : QString());
        Radio(LogoText)->setText(firstKey ? GetLangString(QLatin1String(firstKey)) : QString());
        Radio(LogoImage)->setText(secondKey ? GetLangString(QLatin1String(secondKey)) : QString());
    };
    const bool vertical = form == FORM_VERTICAL || form == FORM_BREAKDOWN;
    // Without a form the pair has nothing to name, and only the explanation
    // of the preview shown stays.
    const bool known = vertical || form == FORM_HORIZONTAL;
    for (unsigned id : {LogoLabel, LogoText, LogoImage})
        FindControlById(this, id)->setVisible(known);
    if (!known) {
        setTexts(nullptr, nullptr, nullptr);
        const bool horizontalShown = !m_pPreviewHorz->isHidden();
        FindControlById(this, ExplainHorz)->setVisible(horizontalShown);
        FindControlById(this, ExplainVert)->setVisible(!horizontalShown);
        return;
    }
    for (unsigned id : {WidthLabel, WidthGroup, Paper58, Paper80, ExplainVert})
        FindControlById(this, id)->setVisible(vertical);
    FindControlById(this, ExplainHorz)->setVisible(!vertical);
    m_pPreviewHorz->setVisible(!vertical);
    if (vertical) {
        m_input.breakdown = form == FORM_BREAKDOWN;
        RefreshVertical();
        setTexts("CRDC_BS_LABEL_RECEIPT80_STAMP1", "CRDC_BS_BTN_RECEIPT80_STAMP_OFF",
                 "CRDC_BS_BTN_RECEIPT80_STAMP_ON");
        const bool show58 = Radio(Paper58)->isChecked();
        m_pPreview58->setVisible(show58);
        m_pPreview80->setVisible(!show58);
    } else {
        setTexts("CRDC_BS_LABEL_JPRYOUSHUU_LOGO", "CRDC_BS_RADIO_JPRYOUSHUU_TEXT",
                 "CRDC_BS_RADIO_JPRYOUSHUU_IMG");
        m_pPreview58->hide();
        m_pPreview80->hide();
    }
}

void CPageDlg_JPRyoushuuSTP::ConnectControls()
{
    connect(m_pType, &QComboBox::currentIndexChanged, this, [this] { ApplyForm(); });
    for (unsigned id : {Paper58, Paper80})
        connect(Radio(id), &QAbstractButton::clicked, this, [this, id] {
            m_pPreview58->setVisible(id == Paper58);
            m_pPreview80->setVisible(id == Paper80);
        });
    for (unsigned id : {LogoText, LogoImage})
        connect(Radio(id), &QAbstractButton::clicked, this, [this, id] {
            m_input.stampOn = m_input.logo = id == LogoImage;
            RefreshAll();
        });
    for (unsigned id : {Word1, Word2})
        connect(Radio(id), &QAbstractButton::clicked, this, [this, id] {
            m_input.titleWord = id == Word2 ? 1 : 0;
            RefreshAll();
        });
    for (unsigned id : {Title, Message1, Message2, Message3})
        if (auto* edit = qobject_cast<QLineEdit*>(FindControlById(this, id)))
            connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
                (id == Title ? m_input.title : m_input.messages[id - Message1]) = text;
                RefreshAll();
            });
}

void CPageDlg_JPRyoushuuSTP::RefreshVertical()
{
    m_pPreview58->Refresh();
    m_pPreview80->Refresh();
}

void CPageDlg_JPRyoushuuSTP::RefreshAll()
{
    RefreshVertical();
    m_pPreviewHorz->Refresh();
}

QAbstractButton* CPageDlg_JPRyoushuuSTP::Radio(unsigned id) const
{
    return qobject_cast<QAbstractButton*>(
        FindControlById(const_cast<CPageDlg_JPRyoushuuSTP*>(this), id));
}

QString CPageDlg_JPRyoushuuSTP::EditText(unsigned id) const
{
    auto* edit =
        qobject_cast<QLineEdit*>(FindControlById(const_cast<CPageDlg_JPRyoushuuSTP*>(this), id));
    return edit ? edit->text() : QString();
}

bool CPageDlg_JPRyoushuuSTP::SaveData(int& err)
{
    if (!CPageDlg::SaveData(err))
        return false;
    // Without a form to choose there is nothing valid to give the keys.
    if (m_pType->currentIndex() < 0)
        return true;
    const QString value = QString::number(m_pType->currentData().toInt());
    CSQliteDB& db = *DataManager()->m_pSQliteDB;
    QStringList keys;
    if (!ReadFormalReceiptKeys(db, keys, err))
        return false;
    const QString now = GetTimestampOfNow();
    for (const QString& key : keys) {
        QStringList stored;
        const int found = CSqLiteUtility::GetStringArray(db, kKeySettings, {kValue},
                                                         KeySettingWhere(key), {}, stored, err);
        if (found < 0)
            return false;
        if (found == 1 && stored.value(0) == value)
            continue;
        const bool written =
            found == 1
                ? CSqLiteUtility::UpdateOneRecord(db, kKeySettings, {kFuncKeyCode, kFuncSetCode},
                                                  {kValue, QStringLiteral("UPDATEDATETIME")},
                                                  {key, kTypeSetting}, {value, now}, err)
                : CSqLiteUtility::InsertOneRecord(
                      db, kKeySettings, {kFuncKeyCode, kFuncSetCode},
                      {kValue, QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
                      {key, kTypeSetting}, {value, now, now}, err);
        if (!written)
            return false;
    }
    return true;
}

} // namespace dunmarel
