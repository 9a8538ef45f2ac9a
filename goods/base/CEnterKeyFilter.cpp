#include "goods/base/CEnterKeyFilter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

CEnterKeyFilter::CEnterKeyFilter(QWidget* scope, bool comboEatsEnter)
    : QObject(scope), m_scope(scope), m_bComboEatsEnter(comboEatsEnter)
{
    qApp->installEventFilter(this);
}

bool CEnterKeyFilter::ApplyEnterRule(QWidget* target, bool autoRepeat, bool comboEatsEnter)
{
    if (target && target->property(kWantReturnProperty).toBool())
        return false;
    if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        if (!autoRepeat)
            button->click();
        return true;
    }
    if (qobject_cast<QLineEdit*>(target) || qobject_cast<QTextEdit*>(target) ||
        qobject_cast<QPlainTextEdit*>(target) || qobject_cast<QTabBar*>(target) ||
        qobject_cast<QTabWidget*>(target))
        return true;
    return comboEatsEnter && qobject_cast<QComboBox*>(target);
}

bool CEnterKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_scope)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || (target != m_scope && !m_scope->isAncestorOf(target)))
        return false;
    return ApplyEnterRule(target, key->isAutoRepeat(), m_bComboEatsEnter);
}
