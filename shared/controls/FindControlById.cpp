#include "shared/controls/FindControlById.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVariant>
#include <QWidget>

void SetControlId(QWidget* control, uint id)
{
    if (control)
        control->setProperty(kControlIdProperty, id);
}

uint ControlId(const QWidget* control)
{
    return control ? control->property(kControlIdProperty).toUInt() : 0;
}

QWidget* FindControlById(QWidget* root, uint id)
{
    if (!root || id == 0)
        return nullptr;
    for (QObject* child : root->children()) {
        auto widget = qobject_cast<QWidget*>(child);
        if (!widget)
            continue;
        if (ControlId(widget) == id)
            return widget;
        if (QWidget* found = FindControlById(widget, id))
            return found;
    }
    return nullptr;
}

QList<QAbstractButton*> RadioGroupOf(QAbstractButton* button)
{
    if (!button)
        return {};
    if (QButtonGroup* group = button->group())
        return group->buttons();
    QList<QAbstractButton*> buttons;
    QWidget* parent = button->parentWidget();
    if (!parent)
        return {button};
    for (QObject* child : parent->children()) {
        auto radio = qobject_cast<QRadioButton*>(child);
        if (radio && radio->autoExclusive() && !radio->group())
            buttons << radio;
    }
    if (!buttons.contains(button))
        buttons = {button};
    return buttons;
}

QAbstractButton* NextRadioInGroup(QAbstractButton* button)
{
    const QList<QAbstractButton*> group = RadioGroupOf(button);
    if (group.size() < 2)
        return nullptr;
    return group[(group.indexOf(button) + 1) % group.size()];
}

void SetRadioChecked(QAbstractButton* button, bool checked)
{
    if (!button || button->isChecked() == checked)
        return;
    if (checked) {
        button->setChecked(true);
        return;
    }
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (exclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (exclusive)
        group->setExclusive(true);
}

QList<QAbstractButton*> RadioGroupFrom(QAbstractButton* first, int count)
{
    const QList<QAbstractButton*> group = RadioGroupOf(first);
    const qsizetype start = group.indexOf(first);
    QList<QAbstractButton*> buttons;
    if (start < 0)
        return buttons;
    for (qsizetype i = 0; i < group.size() && buttons.size() < count; ++i)
        buttons << group[(start + i) % group.size()];
    return buttons;
}
