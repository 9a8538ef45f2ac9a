#include "shared/dialogs/CSarvikDialog.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CSarvikApp.h"
#include "platform/MessageBox.h"

#include <QPushButton>

CSarvikDialog::CSarvikDialog(QWidget* parent) : QDialog(parent) {}

CSarvikDialog::~CSarvikDialog() = default;

int CSarvikDialog::DoModal()
{
    m_bInitDone = true;
    OnInitDialog();
    return exec();
}

bool CSarvikDialog::Create()
{
    m_bInitDone = true;
    return OnInitDialog();
}

void CSarvikDialog::setVisible(bool visible)
{
    if (visible && !m_bInitDone) {
        m_bInitDone = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

bool CSarvikDialog::OnInitDialog()
{
    SetLangTexts();
    return true;
}

void CSarvikDialog::SetLangTexts()
{
    CSarvikApp::Instance().LangDatas().SetWinLangTextAllChildren(QStringLiteral("Sarvik"), this);
}

void CSarvikDialog::OnOK()
{
    EndDialog(platform::IDOK);
}

void CSarvikDialog::OnCancel()
{
    EndDialog(platform::IDCANCEL);
}

void CSarvikDialog::AddOkCancel(CDialogTemplate& tmpl, int okX, int okY, int cancelX, int cancelY,
                                int width, int height)
{
    auto* ok =
        tmpl.Add<QPushButton>(platform::IDOK, QStringLiteral("CRD_OK"), okX, okY, width, height);
    ok->setDefault(true);
    auto* cancel = tmpl.Add<QPushButton>(platform::IDCANCEL, QStringLiteral("CRD_CANCEL"), cancelX,
                                         cancelY, width, height);
    connect(ok, &QPushButton::clicked, this, &CSarvikDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CSarvikDialog::reject);
}
