#include "shared/controls/CReadOnlyCombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

CReadOnlyCombo::CReadOnlyCombo(QWidget* parent) : QComboBox(parent) {}

CReadOnlyCombo::~CReadOnlyCombo() = default;

void CReadOnlyCombo::SetCmbReadOnly(bool readOnly)
{
    if (readOnly && !m_bReadOnly)
        m_normalPalette = palette();
    m_bReadOnly = readOnly;
    if (readOnly) {
        QPalette face = m_normalPalette;
        const QColor button = face.color(QPalette::Button);
        face.setColor(QPalette::Base, button);
        face.setColor(QPalette::Window, button);
        setPalette(face);
    } else {
        setPalette(m_normalPalette);
    }
    if (QLineEdit* edit = lineEdit())
        edit->setReadOnly(readOnly);
    update();
}

void CReadOnlyCombo::showPopup()
{
    if (m_bReadOnly)
        return;
    QComboBox::showPopup();
}

void CReadOnlyCombo::mousePressEvent(QMouseEvent* event)
{
    if (m_bReadOnly && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void CReadOnlyCombo::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_bReadOnly && event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QComboBox::mouseDoubleClickEvent(event);
}

void CReadOnlyCombo::wheelEvent(QWheelEvent* event)
{
    if (m_bReadOnly) {
        event->ignore(); // the dialog may still scroll
        return;
    }
    QComboBox::wheelEvent(event);
}

void CReadOnlyCombo::keyPressEvent(QKeyEvent* event)
{
    if (m_bReadOnly) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape: // the dialog's own keys stay with the dialog
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            break;
        default:
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

void CReadOnlyCombo::inputMethodEvent(QInputMethodEvent* event)
{
    if (m_bReadOnly) {
        event->accept();
        return;
    }
    QComboBox::inputMethodEvent(event);
}
