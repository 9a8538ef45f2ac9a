#include "launcher/COesSaveDlg.h"

#include "launcher/OesSetDataFile.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tovanel {

COesSaveDlg::COesSaveDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 260, 90);
    setWindowTitle(QStringLiteral("CRDD_OES_SAVE"));
    auto* what =
        tmpl.Add<QLabel>(uint(-1), QStringLiteral("CRDC_MESSAGE_SETTINGOESCRX"), 10, 8, 240, 20);
    what->setWordWrap(true);
    tmpl.Add<QLabel>(uint(-1), QStringLiteral("CRDC_LABEL_FILENAME"), 10, 36, 50, 12);
    m_pEdit = tmpl.Add<QLineEdit>(IDC_EDIT_FILE, QString(), 60, 34, 150, 14);
    m_pSelect = tmpl.Add<QPushButton>(IDC_BUTTON_SELFOLDER, QStringLiteral("CRDC_BUTTON_SELFOLDER"),
                                      214, 33, 36, 16);
    m_pSelect->setAutoDefault(false);
    connect(m_pSelect, &QPushButton::clicked, this, &COesSaveDlg::OnSelectFile);
    AddOkCancel(tmpl, 70, 66, 140, 66, 50, 16);
}

COesSaveDlg::~COesSaveDlg() = default;

bool COesSaveDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    if (!m_strCaption.isEmpty())
        setWindowTitle(m_strCaption);
    m_pEdit->setText(m_strOesFile);
    return true;
}

void COesSaveDlg::OnSelectFile()
{
    SelectOesSetDataFile(m_pEdit, m_strChosenBefore, m_strLastOesFolder);
}

void COesSaveDlg::OnOK()
{
    const QString path = m_pEdit->text();
    const QString fault = CheckOesSetDataFile(path);
    if (!fault.isEmpty()) {
        ShowProgramMessage({this, windowTitle()}, fault, platform::MessageIcon::Warning);
        return;
    }
    m_strOesFile = QFileInfo(path).absoluteFilePath();
    EndDialog(platform::IDOK);
}

} // namespace tovanel
