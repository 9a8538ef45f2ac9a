#include "shared/lang/WindowText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

QString GetWindowText(const QWidget* widget)
{
    if (!widget)
        return {};
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(widget))
        return rich->toPlainText();
    if (widget->isWindow())
        return widget->windowTitle();
    return {};
}

bool SetWindowText(QWidget* widget, const QString& text)
{
    if (!widget)
        return false;
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
        plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(widget))
        rich->setPlainText(text);
    else if (widget->isWindow())
        widget->setWindowTitle(text);
    else
        return false;
    return true;
}
