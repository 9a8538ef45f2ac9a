#pragma once

// Every control of a dialog carries its numeric control id as a dynamic
// property; this is the one way to set, read and find it.

#include <QList>

class QAbstractButton;
class QWidget;

inline constexpr const char* kControlIdProperty = "controlId";

void SetControlId(QWidget* control, uint id);
// 0 when the widget carries no id.
uint ControlId(const QWidget* control);
// The first descendant of root (depth first, in child order) with that id;
// nullptr when none has it or id is 0.
QWidget* FindControlById(QWidget* root, uint id);

// The radio group of a button, in order: the buttons of its QButtonGroup, or
// else the auto-exclusive radio buttons that share its parent, in child order.
QList<QAbstractButton*> RadioGroupOf(QAbstractButton* button);
// The button after `button` in its group, wrapping round to the first;
// nullptr when the group has no other button.
QAbstractButton* NextRadioInGroup(QAbstractButton* button);
// Checks or clears a radio button; clearing works on auto-exclusive and
// exclusive-group buttons too (Qt refuses to clear those by themselves).
void SetRadioChecked(QAbstractButton* button, bool checked);
// The buttons of the group starting at `first`, at most count of them.
QList<QAbstractButton*> RadioGroupFrom(QAbstractButton* first, int count);
