#pragma once

#include <QString>

class QWidget;

// A widget's "window text", as the suite's windows have one: the text of a
// label or button, the title of a group box, the text of an edit, or the
// title of a top-level window. Other widgets have none ("").
QString GetWindowText(const QWidget* widget);
// Sets it; false for a widget that has no window text.
bool SetWindowText(QWidget* widget, const QString& text);
