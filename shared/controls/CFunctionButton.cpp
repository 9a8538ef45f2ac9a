#include "shared/controls/CFunctionButton.h"

#include "shared/config/CBasePath.h"
#include "shared/program/CMainWndCtrl.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/WindowText.h"

#include <QKeyEvent>
#include <QLayout>
#include <QPainter>

namespace {

bool isReturn(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

CFunctionButton::CFunctionButton(QWidget* parent) : QAbstractButton(parent)
{
    CMainWndCtrl::SetOwnerDraw(this);
    setFocusPolicy(Qt::StrongFocus);
}

CFunctionButton::~CFunctionButton() = default;

bool CFunctionButton::CreateEx(const _functionbutton_base& record, QWidget* parent)
{
    QWidget* control = FindControlById(parent, uint(record.nCtrlId));
    if (!control || control == this)
        return false;
    CFunctionButtonFace::Images images;
    if (!CFunctionButtonFace::LoadImages(
            CFunctionButtonFace::GetImageName(record.nType, GetWindowText(control)), images))
        return false;

    // Qt cannot change the class of an existing widget: this button takes
    // the control's place and the control goes.
    QWidget* container = control->parentWidget();
    setParent(container);
    setGeometry(control->geometry());
    if (container->layout())
        delete container->layout()->replaceWidget(control, this, Qt::FindChildrenRecursively);
    QWidget::setTabOrder(control, this);
    SetControlId(this, uint(record.nCtrlId));
    setObjectName(control->objectName());
    setEnabled(control->isEnabled());
    setVisible(!control->isHidden());
    SetControlId(control, 0);
    control->hide();
    control->deleteLater();

    m_images = images;
    setFixedSize(m_images[0].size());
    m_pParentWnd = parent;
    m_strProgram = record.strProgram;
    m_strOption = record.strOption;
    // A key without text shows itself, as every window text of the suite does.
    QString label = LoadCommonString(record.strLabelKey);
    if (label.isEmpty())
        label = record.strLabelKey;
    setText(label);
    CFunctionButtonFace::SetButtonText(m_images, record.nType, label);
    update();
    return true;
}

QString CFunctionButton::GetModulePath()
{
    return CBasePath::GetModuleFolder();
}

bool CFunctionButton::ExecuteChildProcess(const QString& title)
{
    return Execute(title, m_strOption);
}

bool CFunctionButton::ExecuteChildProcessRegPackage(const QString& title, const QString& suffix)
{
    return Execute(title, m_strOption + u'_' + suffix);
}

bool CFunctionButton::Execute(const QString& title, const QString& options)
{
    if (m_strProgram.isEmpty())
        return true;
    m_executeProcess.SetProgram(CBasePath::CombinePath(GetModulePath(), m_strProgram), options,
                                title, m_pParentWnd);
    return m_executeProcess.Execute();
}

CFunctionButton::EnumBtnCondTag CFunctionButton::GetCondition() const
{
    if (!isEnabled())
        return CFunctionButtonFace::BTNCOND_DISABLE;
    if (isDown())
        return CFunctionButtonFace::BTNCOND_SELECT;
    if (hasFocus())
        return CFunctionButtonFace::BTNCOND_FOCUS;
    return CFunctionButtonFace::BTNCOND_NORMAL;
}

QSize CFunctionButton::sizeHint() const
{
    return m_images[0].isNull() ? QSize(100, 30) : m_images[0].size();
}

void CFunctionButton::paintEvent(QPaintEvent*)
{
    const QImage& image = m_images[GetCondition()];
    if (image.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void CFunctionButton::keyPressEvent(QKeyEvent* event)
{
    if (isReturn(event))
        ReturnAsSpace(event);
    else
        QAbstractButton::keyPressEvent(event);
}

void CFunctionButton::keyReleaseEvent(QKeyEvent* event)
{
    if (isReturn(event))
        ReturnAsSpace(event);
    else
        QAbstractButton::keyReleaseEvent(event);
}

// Space presses a button; Return on the focused button does the same (a
// held key does not repeat the click).
void CFunctionButton::ReturnAsSpace(QKeyEvent* event)
{
    QKeyEvent space(event->type(), Qt::Key_Space, event->modifiers(), QStringLiteral(" "),
                    event->isAutoRepeat());
    if (event->type() == QEvent::KeyPress)
        QAbstractButton::keyPressEvent(&space);
    else
        QAbstractButton::keyReleaseEvent(&space);
    event->setAccepted(space.isAccepted());
}

void CFunctionButton::enterEvent(QEnterEvent* event)
{
    // The focus picture shows under the mouse.
    if (isEnabled())
        setFocus(Qt::MouseFocusReason);
    QAbstractButton::enterEvent(event);
}
