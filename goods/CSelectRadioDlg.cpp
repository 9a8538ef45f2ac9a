#include "goods/CSelectRadioDlg.h"

#include "shared/controls/FindControlById.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTimer>

namespace brelkin {

CSelectRadioDlg::CSelectRadioDlg(QWidget* owner) : CSarvikDialog(owner)
{
    setWindowTitle(QStringLiteral("CRDD_PR_SEL_RADIO"));
    CDialogTemplate tmpl(this, 9, 120, 50);
    const uint ids[] = {IDC_RADIO1, IDC_RADIO2, IDC_RADIO3};
    for (int i = 0; i < 3; ++i) {
        m_pRadios[i] = tmpl.Add<QRadioButton>(ids[i], QString(), 7, 5 + 14 * i, 106, 12);
        m_pRadios[i]->installEventFilter(this);
    }
}

QList<QWidget*> CSelectRadioDlg::PageGroup() const
{
    // The group from the first radio on, as long as buttons follow.
    QList<QWidget*> group;
    auto* first = qobject_cast<QAbstractButton*>(m_pFirstRadio);
    if (!first)
        return group;
    for (QAbstractButton* button : RadioGroupOf(first))
        group << button;
    const qsizetype at = group.indexOf(first);
    return at < 0 ? QList<QWidget*>{first} : group.mid(at) + group.mid(0, at);
}

void CSelectRadioDlg::Setup(QWidget* listWindow, QWidget* page, QWidget* firstRadio,
                            const QString& title)
{
    m_pListWindow = listWindow;
    m_pPage = page;
    m_pFirstRadio = firstRadio;
    m_strTitle = title;
    const QList<QWidget*> group = PageGroup();
    for (int i = 0; i < 3; ++i) {
        // A longer group shows its last button as the third choice.
        const qsizetype at = i < 2 ? i : group.size() - 1;
        auto* button = i < group.size() ? qobject_cast<QAbstractButton*>(group.value(at)) : nullptr;
        m_strTexts[i] = button ? button->text() : QString();
        m_nStates[i] = button && button->isChecked() ? 1 : 0;
    }
}

void CSelectRadioDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CSelectRadioDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    for (int i = 0; i < 3; ++i) {
        m_pRadios[i]->setText(m_strTexts[i]);
        m_pRadios[i]->setVisible(!m_strTexts[i].isEmpty());
        if (m_nStates[i] == 1) {
            m_pRadios[i]->setChecked(true);
            m_pRadios[i]->setFocus();
        }
    }
    setWindowTitle(m_strTitle);
    return false;
}

void CSelectRadioDlg::OnOK()
{
    int chosen = 0;
    for (int i = 0; i < 3 && chosen == 0; ++i)
        if (m_pRadios[i]->isChecked())
            chosen = i + 1;
    const QList<QWidget*> group = PageGroup();
    for (QWidget* widget : group)
        SetRadioChecked(qobject_cast<QAbstractButton*>(widget), false);
    if (chosen > 0 && chosen <= group.size())
        SetRadioChecked(qobject_cast<QAbstractButton*>(group[chosen - 1]), true);
    const int shift = QApplication::keyboardModifiers() & Qt::ShiftModifier ? 1 : 0;
    const int lParam = (m_nClosingKey & 0xFFFF) | (shift << 16);
    emit SelectRadioDlgClose(0, lParam);
    CSarvikDialog::OnOK();
}

void CSelectRadioDlg::OnCancel()
{
    emit SelectRadioDlgClose(1, 0);
    CSarvikDialog::OnCancel();
}

bool CSelectRadioDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        // A click on a choice confirms it.
        QTimer::singleShot(0, this, [this] { accept(); });
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab) {
            m_nClosingKey = KeyTab;
            QTimer::singleShot(0, this, [this] { accept(); });
            return true;
        }
        m_nClosingKey = key == Qt::Key_Return || key == Qt::Key_Enter ? KeyReturn : KeyNone;
        if (m_nClosingKey == KeyReturn) {
            accept();
            return true;
        }
    }
    return CSarvikDialog::eventFilter(watched, event);
}

} // namespace brelkin
